#!/usr/bin/env bash
# fizzet.exe against the Win32 floor, a window whose 40 Hz timer does nothing, and the Win32
# plain port, the same window repainting the whole drawing on every tick, under Wine in the same
# run: each animating for SECONDS (default 30) on its own private X server and in its own copy
# of the build's Wine prefix, so that none waits on another's wineserver. The ticks and CPU of
# each program, from its first tick on.
#   bench/wine.sh [WINDOWS_BUILD] [SECONDS]
set -euo pipefail
windows=$(realpath "${1:-build-win32}")
seconds=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
[ -d "$windows/wineprefix" ] || WINEPREFIX=$windows/wineprefix wineboot --init
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# One program in its own prefix: start it, press "Reset" and "Start" where it has them, and
# keep what it reports when it ends.
animate() { # name, title, program, presses...
    local name=$1 title=$2 program=$3
    shift 3
    cp -a "$windows/wineprefix" "$out/$name.prefix"
    (
        export WINEPREFIX=$out/$name.prefix
        . "$here/../scripts/xvfb-run-window.sh"
        start_xvfb
        wine "$program" "$seconds" >"$out/$name.txt" 2>/dev/null &
        APP=$!
        for _ in $(seq 400); do
            WID=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -1) && break
            sleep 0.05
        done
        [ $# -eq 0 ] || LAYOUT=$windows/layout.json press "$@"
        wait "$APP"
        APP=
        wineserver -k
    )
}

animate fizzet Fizzet "$windows/bench/bench_cadence_win32.exe" Reset Start &
animate floor "Fizzet floor" "$windows/bench/bench_floor_win32.exe" &
animate plain "Fizzet plain" "$windows/bench/bench_plainport_win32.exe" &
wait
for name in fizzet floor plain; do
    echo "== $name"
    grep -E '^(ticks|cpu)' "$out/$name.txt"
done
