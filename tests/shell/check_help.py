#!/usr/bin/env python3
"""Checks the help pages: check_help.py HELP_FOLDER

- every page the window opens (one per wizard tab, one per help context)
  exists under html/;
- every page is UTF-8, declares its charset, has a title and uses the
  stylesheet;
- every link or picture inside the help resolves to an existing file, and
  every #fragment to an id of that page;
- the index on overview.htm links to every page.
Prints one line per fault; exits 1 when there is any.
"""

import sys
from html.parser import HTMLParser
from pathlib import Path
from urllib.parse import urldefrag, urlparse

# The pages of the wizard tabs and of the help context table.
TAB_PAGES = ["overview.htm", "sizetab.htm", "backgroundtab.htm", "shapestab.htm", "imagestab.htm",
             "texttab.htm", "animationtab.htm", "savetab.htm"]
CONTEXT_PAGES = {0: "overview.htm", 12: "hometab.htm", 14: "sizetab.htm", 15: "backgroundtab.htm",
                 16: "bordertab.htm", 17: "imagestab.htm", 18: "texttab.htm", 19: "savetab.htm",
                 24: "text.htm", 26: "shapestab.htm", 27: "animationtab.htm", 29: "anglestab.htm",
                 31: "onestepanimation.htm", 32: "bannframebyframe.htm", 34: "mouseover.htm",
                 35: "htmlcode.htm", 40: "bannerrotator.htm", 50: "powerpreview.htm",
                 51: "powerpreview.htm", 66: "options.htm"}


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []
        self.ids = set()
        self.charset = None
        self.title = ""
        self.stylesheets = []
        self._in_title = False

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if "id" in a:
            self.ids.add(a["id"])
        if tag == "meta" and "charset" in a:
            self.charset = a["charset"].lower()
        if tag == "title":
            self._in_title = True
        if tag == "link" and a.get("rel") == "stylesheet":
            self.stylesheets.append(a.get("href", ""))
        for name in ("href", "src"):
            if name in a:
                self.links.append(a[name])

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data


def read_pages(folder, faults):
    pages = {}
    for path in sorted(folder.glob("*.htm")):
        try:
            text = path.read_bytes().decode("utf-8")
        except UnicodeDecodeError as error:
            faults.append(f"{path.name}: not UTF-8 ({error})")
            continue
        page = Page()
        page.feed(text)
        pages[path.name] = page
    return pages


def check_page(folder, name, page, pages, faults):
    if page.charset != "utf-8":
        faults.append(f"{name}: no <meta charset=\"utf-8\">")
    if not page.title.strip():
        faults.append(f"{name}: no title")
    if "help.css" not in page.stylesheets:
        faults.append(f"{name}: does not use help.css")
    for link in page.links:
        if urlparse(link).scheme:
            continue  # an address outside the help
        target, fragment = urldefrag(link)
        target = target or name
        if not (folder / target).is_file():
            faults.append(f"{name}: link to missing {target}")
        elif fragment and target in pages and fragment not in pages[target].ids:
            faults.append(f"{name}: {target} has no id \"{fragment}\"")


def main():
    folder = Path(sys.argv[1]) / "html"
    faults = []
    expected = sorted(set(TAB_PAGES) | set(CONTEXT_PAGES.values()))
    for name in expected:
        if not (folder / name).is_file():
            faults.append(f"missing page {name}")
    pages = read_pages(folder, faults)
    for name, page in pages.items():
        check_page(folder, name, page, pages, faults)
    if "overview.htm" in pages:
        indexed = {urldefrag(link)[0] for link in pages["overview.htm"].links}
        for name in sorted(set(pages) - indexed - {"overview.htm"}):
            faults.append(f"{name}: missing from the index on overview.htm")
    for fault in faults:
        print(fault)
    print(f"help pages: {len(pages)} read, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
