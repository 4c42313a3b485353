#!/usr/bin/env bash
# Fizzet against the floor, a bare window whose 40 Hz timer does nothing, and against the same
# window done the plain way (bench_plainport), in the same run:
#   - for SECONDS (default 30), each animating on its own private X server at the same time:
#     the CPU share of each process and of each X server, and Fizzet's over the floor's; peak
#     RSS;
#   - the time from launch until each window is shown (median of 31);
#   - instructions per tick under callgrind (whole process; the tick; paint and flush).
#   bench/compare.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
build=$(realpath "${1:-build}")
seconds=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export XDG_RUNTIME_DIR=$out/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# CPU time of a process, all its threads, in microseconds (the scheduler's own count).
cpu_us() { cat /proc/"$1"/task/*/schedstat | awk '{n += $1} END {printf "%.0f", n / 1000}'; }

# One program animating: its CPU and its X server's over SECONDS, then its peak RSS.
animate() { # name, title, command...
    local name=$1 title=$2
    shift 2
    (
        . "$here/../scripts/xvfb-run-window.sh"
        start_xvfb
        "$@" >/dev/null 2>&1 &
        APP=$!
        for _ in $(seq 400); do
            WID=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -1) && break
            sleep 0.05
        done
        if [ "$name" != floor ]; then click 100 104; click 36 104; fi # Reset, Start
        sleep 2 # settle
        local a0 x0
        a0=$(cpu_us "$APP") x0=$(cpu_us "$XVFB_PID")
        sleep "$seconds"
        local a1 x1
        a1=$(cpu_us "$APP") x1=$(cpu_us "$XVFB_PID")
        echo "$name $(((a1 - a0))) $(((x1 - x0))) $(awk '/VmHWM/ {print $2}' "/proc/$APP/status")" \
            >"$out/$name"
    )
}
animate fizzet Fizzet "$build/app/fizzet" &
animate floor "Fizzet floor" "$build/bench/bench_floor" &
animate plain "Fizzet plain" "$build/bench/bench_plainport" &
wait
read -r _ fa fx frss <"$out/fizzet"
read -r _ ba bx brss <"$out/floor"
read -r _ pa px prss <"$out/plain"
share() { awk -v t="$1" -v s="$seconds" 'BEGIN {printf "%.2f %%", t / s / 1e4}'; }
echo "CPU over $seconds s:  fizzet $(share "$fa") (X server $(share "$fx"))," \
    "floor $(share "$ba") (X server $(share "$bx")), plain port $(share "$pa")" \
    "(X server $(share "$px")); fizzet over floor $(awk -v a="$fa" -v b="$ba" \
    'BEGIN {printf "%.2f", (b > 0 ? a / b : 0)}')"
mib() { awk -v k="$1" 'BEGIN {printf "%.1f MiB", k / 1024}'; }
echo "peak RSS: fizzet $(mib "$frss"), floor $(mib "$brss"), plain port $(mib "$prss")"

# Time from launch until the window is mapped (the server's own notice, bench_shown), median of
# 31, alternating the two programs.
(
    . "$here/../scripts/xvfb-run-window.sh"
    start_xvfb
    for _ in $(seq 31); do
        echo "fizzet $(timeout 20 "$build/bench/bench_shown" Fizzet "$build/app/fizzet")"
        echo "floor $(timeout 20 "$build/bench/bench_shown" "Fizzet floor" "$build/bench/bench_floor")"
    done >"$out/shown"
    median() { grep "^$1 " "$out/shown" | cut -d' ' -f2 | sort -n | sed -n 16p; }
    f=$(median fizzet) b=$(median floor)
    echo "shown after: fizzet $f ms, floor $b ms, ratio $(awk -v a="$f" -v b="$b" 'BEGIN {printf "%.2f", a / b}')"
)

# Instructions per tick: bench_cadence (the real window counting its ticks) under callgrind,
# animating for 2 s and for 12 s; the difference over the difference in ticks leaves out start-up.
if command -v valgrind >/dev/null; then
    (
        . "$here/../scripts/xvfb-run-window.sh"
        start_xvfb
        for s in 2 12; do
            valgrind --tool=callgrind --callgrind-out-file="$out/cg.$s" \
                "$build/bench/bench_cadence" "$s" >"$out/cadence.$s" 2>/dev/null &
            APP=$!
            for _ in $(seq 600); do
                WID=$(xdotool search --onlyvisible --name '^Fizzet$' 2>/dev/null | head -1) && break
                sleep 0.1
            done
            sleep 1
            click 100 104
            click 36 104
            wait "$APP"
            APP=
        done
    )
    total() { callgrind_annotate "$out/cg.$1" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}'; }
    inclusive() { # function pattern
        callgrind_annotate --inclusive=yes --threshold=100 "$out/cg.$1" 2>/dev/null |
            awk -v f="$2" 'index($0, f) {gsub(",", "", $1); print $1; exit}'
    }
    n2=$(awk '/^ticks/ {print $2}' "$out/cadence.2") n12=$(awk '/^ticks/ {print $2}' "$out/cadence.12")
    per() { awk -v a="$1" -v b="$2" -v n="$((n12 - n2))" 'BEGIN {printf "%.0f", (b - a) / n}'; }
    echo "instructions per tick: whole process $(per "$(total 2)" "$(total 12)")," \
        "tick $(per "$(inclusive 2 'PointAnimation::tick')" "$(inclusive 12 'PointAnimation::tick')")," \
        "paint and flush $(per "$(inclusive 2 'DrawingSurface::flush')" \
        "$(inclusive 12 'DrawingSurface::flush')")"
fi
