#!/usr/bin/env bash
# Starts the real window on a private X server, presses "Reset" and "Start" with real clicks
# and reports tick intervals, CPU and memory over SECONDS (default 30; 600 for the soak).
#   bench/cadence.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
build=$(realpath "${1:-build}")
seconds=${2:-30}
. "$(dirname "$0")/../scripts/xvfb-run-window.sh"
start_xvfb || exit 1
start_window "$build/bench/bench_cadence" "$seconds"
LAYOUT=$build/layout.json press Reset Start
wait "$APP"
APP=
