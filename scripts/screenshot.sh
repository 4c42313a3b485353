#!/usr/bin/env bash
# Regenerates docs/screenshot.png from the real window: the "Wind" rule after a few seconds.
#   scripts/screenshot.sh [PROGRAM] [OUTPUT]
set -euo pipefail
cd "$(dirname "$0")/.."
prog=${1:-build/app/fizzet}
out=${2:-docs/screenshot.png}
. scripts/xvfb-run-window.sh
start_xvfb
start_window "$prog"
click 164 280 # Wind
click 100 104 # Reset
click 36 104  # Start
sleep 3
click 164 104 # Stop
shot "$out"
echo "saved $out"
