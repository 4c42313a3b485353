#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks what it holds and needs.
#   package.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/*.deb)
fail=0
bad() { echo "FAIL: $*"; fail=1; }

case $(basename "$deb") in
fizzet_0.01_*.deb) echo "ok   file name $(basename "$deb")" ;;
*) bad "file name $(basename "$deb")" ;;
esac

# Regular files only, without the leading "./".
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\.\//, "", $NF); print $NF}' | sort)
expected=$(sort <<'LIST'
usr/bin/fizzet
usr/share/applications/org.fizzet.Fizzet.desktop
usr/share/doc/fizzet/changelog.gz
usr/share/doc/fizzet/copyright
usr/share/icons/hicolor/16x16/apps/org.fizzet.Fizzet.png
usr/share/icons/hicolor/256x256/apps/org.fizzet.Fizzet.png
usr/share/icons/hicolor/32x32/apps/org.fizzet.Fizzet.png
usr/share/icons/hicolor/48x48/apps/org.fizzet.Fizzet.png
usr/share/icons/hicolor/scalable/apps/org.fizzet.Fizzet.svg
usr/share/man/man1/fizzet.1.gz
usr/share/metainfo/org.fizzet.Fizzet.metainfo.xml
LIST
)
if [ "$files" = "$expected" ]; then echo "ok   files"; else
    bad "files differ (- expected, + packaged):"; diff <(echo "$expected") <(echo "$files") || true; fi

for field in Package Version Architecture Maintainer Section Description; do
    value=$(dpkg-deb -f "$deb" "$field")
    [ -n "$value" ] || bad "no $field"
done
[ "$(dpkg-deb -f "$deb" Version)" = "0.01" ] || bad "version $(dpkg-deb -f "$deb" Version)"

# The summary once, on the first line; then a long description of plain paragraphs (a line
# indented by two spaces would be shown as fixed-width text).
description=$(dpkg-deb -f "$deb" Description)
summary=$(head -1 <<<"$description")
body=$(tail -n +2 <<<"$description")
[ -n "$summary" ] && [ -n "$body" ] || bad "description lacks a summary or a long description"
if grep -qF -- "$summary" <<<"$body"; then bad "the summary is repeated in the long description"; fi
if grep -q '^  ' <<<"$body"; then bad "the long description has fixed-width lines"; fi
if grep -qv '^ ' <<<"$body"; then bad "a long description line is not indented"; fi
echo "     Description: $summary"

depends=$(dpkg-deb -f "$deb" Depends)
echo "     Depends: $depends"
names=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qxF "$lib" <<<"$names" || bad "Depends lacks $lib"
done
if grep -q -- '-dev$' <<<"$names"; then bad "Depends names a development package"; fi

dpkg-deb -x "$deb" "$out/root"
if readelf -d "$out/root/usr/bin/fizzet" | grep -qE 'RPATH|RUNPATH'; then bad "binary has an RPATH"; else
    echo "ok   no RPATH"; fi
# Debian's own checks of a package: no error and no warning.
if report=$(lintian --fail-on error,warning "$deb" 2>/dev/null); then echo "ok   lintian"; else
    bad "lintian:"; echo "$report"; fi
exit $fail
