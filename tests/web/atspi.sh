#!/usr/bin/env bash
# Runs atspi.py against the page in headed Chromium on a private X server, in a private D-Bus
# session where the accessibility bus starts on demand.
#   atspi.sh PAGE
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xvfb-run-window.sh"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi is not installed"; exit 1; }
start_xvfb || exit 1
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
trap 'stop_all; rm -rf "$XDG_RUNTIME_DIR"' EXIT
page=$(realpath "$1")
cd "$here" && dbus-run-session -- /usr/bin/python3 atspi.py "$page" 2> >(grep -v 'fd limit' >&2)
