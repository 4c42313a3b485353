#!/usr/bin/env bash
# Runs a test program against a private X server of its own:  x11.sh PROGRAM [ARGUMENTS...]
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xvfb-run-window.sh"
start_xvfb || exit 1
"$@"
