#!/usr/bin/env bash
# Checks that a manual page names every option that the program's --help
# shows, so that the two do not drift apart.
#
#   manpage-test.sh PROGRAM PAGE.1
set -euo pipefail
program=$1 page=$2

help=$("$program" --help)
options=$(grep -oE -- '(^|[][ ,|])--?[a-z][a-z-]*' <<< "$help" | grep -oE -- '--?[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || { echo "FAIL: $program --help shows no options" >&2; exit 1; }
missing=0
for option in $options; do
  # In roff a hyphen is written \-.
  if ! grep -qF -- "${option//-/\\-}" "$page"; then
    echo "FAIL: $(basename "$page") does not describe $option" >&2
    missing=1
  fi
done
exit "$missing"
