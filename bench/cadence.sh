#!/usr/bin/env bash
# Starts the real window on a private X server, presses "Reset" and "Start" with real clicks
# and reports tick intervals, CPU and memory over SECONDS (default 30).
#   bench/cadence.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
build=${1:-build}
seconds=${2:-30}
prog="$build/bench/bench_cadence"
for n in $(seq 150 199); do [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { d=$n; break; }; done
Xvfb ":$d" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$d ] && break; sleep 0.1; done
export DISPLAY=":$d"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
"$prog" "$seconds" &
app=$!
wid=
for _ in $(seq 100); do
    wid=$(xdotool search --onlyvisible --name '^Fizzet$' 2>/dev/null | head -1 || true)
    [ -n "$wid" ] && break
    sleep 0.05
done
[ -n "$wid" ] || { echo "no window appeared" >&2; exit 1; }
sleep 0.3
xdotool mousemove --window "$wid" 100 104 click 1 # Reset
xdotool mousemove --window "$wid" 36 104 click 1  # Start
wait $app
app=
