#!/usr/bin/env bash
# The Windows program under Wine next to the Linux program, in the same run, each on its own
# private X server: ticks and their intervals over SECONDS, CPU while animating, the time until
# the window is shown, and the sizes of fizzet.exe and the zip.
#   bench/windows.sh [LINUX_BUILD] [WINDOWS_BUILD] [SECONDS]
set -euo pipefail
linux=$(realpath "${1:-build}")
windows=$(realpath "${2:-build-win32}")
seconds=${3:-30}
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$windows/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
[ -d "$WINEPREFIX" ] || wineboot --init
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# One program: start it on its own X server, press Reset and Start, report when it ends.
cadence() { # name, command...
    local name=$1
    shift
    (
        . "$here/../scripts/xvfb-run-window.sh"
        start_xvfb
        start_window "$@" >"$out/$name.txt" 2>/dev/null
        LAYOUT=$windows/layout.json press Reset Start
        local server=
        [[ $1 == wine ]] && server=$(pgrep -n wineserver || true)
        local before
        before=$(awk '{print $14 + $15}' "/proc/${server:-self}/stat")
        wait "$APP"
        APP=
        if [ -n "$server" ]; then
            echo "wineserver cpu: $(awk -v b="$before" -v s="$seconds" \
                '{printf "%.2f %% of one core", ($14 + $15 - b) / 100 / s * 100}' "/proc/$server/stat")" \
                >>"$out/$name.txt"
        fi
    )
}

cadence linux "$linux/bench/bench_cadence" "$seconds" &
cadence windows wine "$windows/bench/bench_cadence_win32.exe" "$seconds" &
wait
for name in linux windows; do echo "== $name"; grep -v '^window shown' "$out/$name.txt"; done

# Time from launch until the window is visible, median of five.
median_shown() { # command...
    (
        . "$here/../scripts/xvfb-run-window.sh"
        start_xvfb
        for _ in 1 2 3 4 5; do
            shown_after Fizzet "$@"
            [[ $1 != wine ]] || wineserver -k # the program, wherever Wine put it
        done | sort -n | sed -n 3p
    )
}
echo "== shown after (ms, median of 5): linux $(median_shown "$linux/app/fizzet")," \
    "windows $(median_shown wine "$windows/app/win32/fizzet.exe")"
echo "== sizes: fizzet.exe $(stat -c %s "$windows/app/win32/fizzet.exe") bytes," \
    "zip $(stat -c %s "$windows"/fizzet-*-win64.zip) bytes"
