#!/usr/bin/env bash
# Compiles the Windows resource script and checks its version strings.
#   windres.sh RC_FILE VERSION
set -euo pipefail
rc=$1 version=$2
windres=$(command -v x86_64-w64-mingw32-windres || true)
[ -n "$windres" ] || { echo "no resource compiler: x86_64-w64-mingw32-windres"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$windres" --preprocessor=cpp --preprocessor-arg=-P -i "$rc" -O coff -o "$out/res.o"
# Read the version block back as a resource script.
"$windres" -i "$out/res.o" -O rc -o "$out/back.rc"
fail=0
for expect in "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
    'VALUE "Comments", "Just a little something..."' 'BLOCK "040904b0"' 'VALUE "Translation", 0x409'; do
    if grep -qF "$expect" "$out/back.rc"; then echo "ok   $expect"; else echo "FAIL $expect"; fail=1; fi
done
icons=$(grep -c 'RT_ICON \*/' "$out/back.rc" || true)
[ "$icons" -eq 3 ] && echo "ok   3 icon images" || { echo "FAIL $icons icon images"; fail=1; }
exit $fail
