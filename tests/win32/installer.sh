#!/usr/bin/env bash
# The Windows installer as a user meets it, in a fresh Wine prefix: installed silently and
# without administrator rights, with its Start-menu shortcut and its entry in the
# installed-programs list; the shortcut starts the program to its window; a newer version
# replaces it; uninstalled, nothing of it is left.
#   installer.sh MSI STAGING_DIR   (STAGING_DIR: fizzet.wxs, fizzet.exe and fizzet.ico)
set -u
msi=$(realpath "$1")
staging=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xvfb-run-window.sh"
. "$here/../verdict.sh"
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
trap 'stop_all; wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
start_xvfb || exit 1 # first: the prefix's desktop keeps the display it starts with
wineboot --init >/dev/null 2>&1

user=$WINEPREFIX/drive_c/users/$(whoami)
folder=$user/AppData/Local/Programs/Fizzet
shortcut="$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Fizzet.lnk"
# The installed-programs entries named Fizzet, as "version publisher" lines.
entries() {
    local root
    for root in HKCU HKLM; do
        wine reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s \
            2>/dev/null | tr -d '\r'
    done | awk '/^HKEY/ {name = version = publisher = ""}
        $1 == "DisplayName" {name = $3} $1 == "DisplayVersion" {version = $3}
        $1 == "Publisher" {sub(/.*REG_SZ +/, ""); publisher = $0}
        name == "Fizzet" && version != "" && publisher != "" {print version, publisher; name = ""}'
}

wine msiexec /i "$msi" /qn >/dev/null 2>&1
verdict "installs silently as the user" ${?/#0/}
check "the program is in the user's own programs folder" test -f "$folder/fizzet.exe"
check "the Start menu has its shortcut" test -f "$shortcut"
listed=$(entries)
verdict "it is listed as installed, with version and publisher ($listed)" \
    $([ "$listed" = "0.01 The Fizzet developers" ] || echo "not so")

wine start /unix "$shortcut" >/dev/null 2>&1 &
WID=
for _ in $(seq 300); do
    WID=$(xdotool search --onlyvisible --name '^Fizzet$' 2>/dev/null | head -1) && [ -n "$WID" ] && break
    sleep 0.1
done
verdict "the shortcut starts the program to its window" $([ -n "$WID" ] || echo "no window")
wineserver -k 2>/dev/null

# A newer version, made from the same source, replaces the older.
(cd "$staging" && wixl -a x64 -D Version=0.02 -D Homepage=https://fizzet.org \
    -o "$work/newer.msi" fizzet.wxs) >/dev/null 2>&1
wine msiexec /i "$work/newer.msi" /qn >/dev/null 2>&1
listed=$(entries)
verdict "a newer version replaces the older ($listed)" \
    $([ "$listed" = "0.02 The Fizzet developers" ] || echo "not so")

wine msiexec /x "$work/newer.msi" /qn >/dev/null 2>&1
left=$( { [ -e "$folder" ] && echo "$folder"; [ -e "$shortcut" ] && echo "the shortcut";
          [ -n "$(entries)" ] && echo "the installed-programs entry"; } | paste -sd,)
verdict "uninstalled, nothing is left" ${left:+"left: $left"}
finish installer
