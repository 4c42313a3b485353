#!/usr/bin/env bash
# Runs an AT-SPI check (atspi.py beside this file, unless SCRIPT is given) against TARGET on a
# private X server, in a private D-Bus session where the accessibility bus starts on demand.
# Debian's own python3 holds the AT-SPI bindings.
#   atspi.sh LAYOUT_FILE TARGET [SCRIPT]
set -u
here=$(cd "$(dirname "$0")" && pwd)
script=$(realpath "${3:-$here/atspi.py}")
. "$here/../../scripts/xvfb-run-window.sh"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi is not installed"; exit 1; }
start_xvfb || exit 1
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
trap 'stop_all; rm -rf "$XDG_RUNTIME_DIR"' EXIT
dbus-run-session -- /usr/bin/python3 -B "$script" "$(realpath "$1")" "$(realpath "$2")" 2> >(grep -v 'fd limit' >&2)
