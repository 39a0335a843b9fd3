#!/usr/bin/env bash
# Builds the Debian package of this build tree with CPack, unpacks it with
# dpkg-deb -x and checks that every installed file is in its place, that the
# control fields name the run-time needs, and that desktop-file-validate,
# appstreamcli and lintian accept it.
#
#   package-test.sh CPACK BUILD_DIR SOURCE_DIR VERSION "PROGRAMS" "ICON_SIZES"
set -euo pipefail
cpack=$1 build=$2 source=$3 version=$4
read -r -a programs <<< "${5//;/ }"
read -r -a icon_sizes <<< "${6//;/ }"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect_file() { [ -f "$root/$1" ] || fail "missing in the package: /$1"; }

# gzip rather than the release package's xz: the test build's programs are
# large, and xz would take most of the test's time.
"$cpack" -G DEB -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip --config "$build/CPackConfig.cmake" -B "$tmp/out" \
  > "$tmp/cpack.log" 2>&1 || {
  cat "$tmp/cpack.log" >&2
  exit 1
}
deb="$tmp/out/tessaly_${version}_amd64.deb"
[ -f "$deb" ] || { ls "$tmp/out" >&2; echo "FAIL: no $deb" >&2; exit 1; }
root="$tmp/root"
dpkg-deb -x "$deb" "$root"

for p in "${programs[@]}"; do
  [ -x "$root/usr/bin/$p" ] || fail "missing in the package: /usr/bin/$p"
done
(cd "$source/assets" && find . -type f) | while read -r f; do
  cmp -s "$source/assets/$f" "$root/usr/share/tessaly/${f#./}" || echo "/usr/share/tessaly/${f#./}"
done > "$tmp/missing-assets"
if [ -s "$tmp/missing-assets" ]; then fail "assets missing or changed: $(cat "$tmp/missing-assets")"; fi
for page in "${programs[@]}"; do
  expect_file "usr/share/man/man1/$page.1.gz"
done
expect_file usr/share/applications/tessaly.desktop
expect_file usr/share/mime/packages/tessaly.xml
expect_file usr/share/metainfo/io.github.tessaly.Tessaly.metainfo.xml
expect_file usr/share/icons/hicolor/scalable/apps/tessaly.svg
expect_file usr/share/doc/tessaly/copyright
expect_file usr/share/doc/tessaly/changelog.gz
for size in "${icon_sizes[@]}"; do
  png="usr/share/icons/hicolor/${size}x${size}/apps/tessaly.png"
  expect_file "$png"
  # The PNG's width and height (IHDR, bytes 16 to 23, big-endian).
  read -r w h < <(od -An -tu1 -j16 -N8 -v "$root/$png" |
    awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
  [ "$w x $h" = "$size x $size" ] || fail "$png is $w x $h"
done

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Section)" = graphics ] || fail "Section: $(field Section)"
[ "$(field Package)" = tessaly ] || fail "Package: $(field Package)"
depends=$(field Depends)
for need in fonts-liberation2 fonts-wqy-zenhei xdg-utils libc6 libqt6gui6; do
  [[ ",$depends," =~ [,\ ]$need[,\ \(] ]] || fail "Depends lacks $need: $depends"
done
[ -n "$(field Maintainer)" ] || fail "no Maintainer"

desktop-file-validate "$root/usr/share/applications/tessaly.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.tessaly.Tessaly.metainfo.xml" ||
  fail "appstreamcli validate"

# The project type, as the desktop's MIME database compiles it.
cp -r "$root/usr/share/mime" "$tmp/mime"
update-mime-database "$tmp/mime" > "$tmp/mime.log" 2>&1 || fail "update-mime-database"
grep -qx "50:application/x-tessaly-project:\*\.bwf" "$tmp/mime/globs2" || fail "no *.bwf glob"
grep -qx "50:application/x-tessaly-project:\*\.BWF:cs" "$tmp/mime/globs2" || fail "no *.BWF glob"

# lintian: no errors (warnings are listed for the reader of the log).
lintian --fail-on error --tag-display-limit 0 "$deb" > "$tmp/lintian.log" 2>&1 || {
  cat "$tmp/lintian.log" >&2
  fail "lintian reports errors"
}
cat "$tmp/lintian.log"

[ "$failures" -eq 0 ] || exit 1
echo "$(basename "$deb"): every file in its place, validators and lintian content"
