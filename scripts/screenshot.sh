#!/usr/bin/env bash
# Regenerates the screenshots from the real window, the "Wind" rule after a few seconds:
# docs/screenshot.png for the README, and docs/screenshots/fizzet.png at twice the scale for
# the software-centre description (published as <homepage>/screenshots/fizzet.png).
#   scripts/screenshot.sh [PROGRAM]
set -euo pipefail
cd "$(dirname "$0")/.."
prog=${1:-build/app/fizzet}
LAYOUT=$(dirname "$(dirname "$prog")")/layout.json
. scripts/xvfb-run-window.sh
start_xvfb || exit 1

capture() { # scale, output
    SCALE=$1
    QT_SCALE_FACTOR=$SCALE start_window "$prog"
    press Wind Reset Start
    sleep 3
    press Stop
    shot "$2"
    kill "$APP"
    wait "$APP" 2>/dev/null || true
    APP=
    echo "saved $2"
}

mkdir -p docs/screenshots
capture 1 docs/screenshot.png
capture 2 docs/screenshots/fizzet.png
