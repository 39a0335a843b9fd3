#!/usr/bin/env bash
# Installs the build tree into a temporary DESTDIR with the prefix /usr and
# runs the installed tessaly-build and tessaly-render on the demo project:
# the effect's particle pictures come from share/tessaly/, and the movie and
# its picture are the same bytes as those of the build tree's programs.
#
#   install-test.sh CMAKE BUILD_DIR SOURCE_DIR
set -euo pipefail
cmake=$1 build=$2 source=$3

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$tmp/root" "$cmake" --install "$build" --prefix /usr > "$tmp/install.log"
usr="$tmp/root/usr"
for f in "$source"/assets/*.gif; do
  cmp -s "$f" "$usr/share/tessaly/$(basename "$f")" || fail "share/tessaly/$(basename "$f") is not installed"
done

demo="$source/examples/demo.bwf"
"$build/bin/tessaly-build" "$demo" -o "$tmp/built.swf" > /dev/null
"$usr/bin/tessaly-build" "$demo" -o "$tmp/installed.swf" > /dev/null
cmp "$tmp/built.swf" "$tmp/installed.swf" || fail "the installed tessaly-build writes another movie"

# A frame in the middle of the falling leaves.
"$build/bin/tessaly-render" "$tmp/built.swf" --frame 40 -o "$tmp/built.png"
"$usr/bin/tessaly-render" "$tmp/installed.swf" --frame 40 -o "$tmp/installed.png"
cmp "$tmp/built.png" "$tmp/installed.png" || fail "the installed tessaly-render draws another picture"

# The leaves are those of share/tessaly/: without one, the installed program
# cannot build the effect and names the missing picture.
mv "$usr/share/tessaly/leaf3.gif" "$tmp/leaf3.gif"
if "$usr/bin/tessaly-build" "$demo" -o "$tmp/without-leaf.swf" > /dev/null 2> "$tmp/without-leaf.err"; then
  fail "the installed tessaly-build did not read its leaves from share/tessaly/"
fi
grep -q "share/tessaly/leaf3.gif" "$tmp/without-leaf.err" || fail "unexpected error: $(cat "$tmp/without-leaf.err")"
echo "installed programs build and draw the demo as the build tree does"
