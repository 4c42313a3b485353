#!/usr/bin/env bash
# Regenerates the screenshots from the real window, the "Wind" rule after a few seconds:
# docs/screenshot.png for the README, and docs/screenshots/fizzet.png at twice the scale for
# the software-centre description (published as <homepage>/screenshots/fizzet.png).
#   scripts/screenshot.sh [PROGRAM]
set -euo pipefail
cd "$(dirname "$0")/.."
prog=${1:-build/app/fizzet}
. scripts/xvfb-run-window.sh
start_xvfb || exit 1

capture() { # scale, output
    local k=$1
    QT_SCALE_FACTOR=$k start_window "$prog"
    click $((164 * k)) $((280 * k)) # Wind
    click $((100 * k)) $((104 * k)) # Reset
    click $((36 * k)) $((104 * k))  # Start
    sleep 3
    click $((164 * k)) $((104 * k)) # Stop
    shot "$2"
    kill "$APP"
    wait "$APP" 2>/dev/null || true
    APP=
    echo "saved $2"
}

mkdir -p docs/screenshots
capture 1 docs/screenshot.png
capture 2 docs/screenshots/fizzet.png
