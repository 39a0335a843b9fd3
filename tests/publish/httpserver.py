"""A local HTTP server for the update check tests.

Usage: httpserver.py ROOT
Serves the files of ROOT on 127.0.0.1 at a free port and prints that port on
stdout once it is listening.
"""
import functools
import sys
from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer


class QuietHandler(SimpleHTTPRequestHandler):
    def log_message(self, format, *args):
        pass


def main():
    handler = functools.partial(QuietHandler, directory=sys.argv[1])
    server = ThreadingHTTPServer(("127.0.0.1", 0), handler)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
