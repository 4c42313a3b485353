#!/usr/bin/env bash
# Fizzet against the floor, a bare window whose 40 Hz timer does nothing, and against the same
# window done the plain way (bench_plainport), in the same run:
#   - for SECONDS (default 30), each animating on its own private X server at the same time:
#     the CPU share of each process and of each X server, and Fizzet's over the floor's; peak
#     RSS;
#   - the time from launch until each window is shown (median of 31);
#   - instructions per tick under callgrind (whole process; the tick; paint and flush).
# Further builds, each NAME=BUILD_DIR (the same program with one thing changed, say), are
# measured as Fizzet is, side by side with it in the same run.
#   bench/compare.sh [BUILD_DIR] [SECONDS] [NAME=BUILD_DIR ...]
set -euo pipefail
build=$(realpath "${1:-build}")
export LAYOUT=$build/layout.json # where every program compared has its buttons
seconds=${2:-30}
shift $(($# < 2 ? $# : 2))
programs=("fizzet=$build")
for other in "$@"; do programs+=("${other%%=*}=$(realpath "${other#*=}")"); done
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
        if [ "$name" != floor ]; then press Reset Start; fi
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
for program in "${programs[@]}"; do
    animate "${program%%=*}" Fizzet "${program#*=}/app/fizzet" &
done
animate floor "Fizzet floor" "$build/bench/bench_floor" &
animate plain "Fizzet plain" "$build/bench/bench_plainport" &
wait
read -r _ ba bx brss <"$out/floor"
share() { awk -v t="$1" -v s="$seconds" 'BEGIN {printf "%.2f %%", t / s / 1e4}'; }
mib() { awk -v k="$1" 'BEGIN {printf "%.1f MiB", k / 1024}'; }
for name in "${programs[@]%%=*}" floor plain; do
    read -r _ a x rss <"$out/$name"
    echo "$name: CPU over $seconds s $(share "$a") (X server $(share "$x")), over the floor's" \
        "$(awk -v a="$a" -v b="$ba" 'BEGIN {printf "%.2f", (b > 0 ? a / b : 0)}'); peak RSS $(mib "$rss")"
done

# Time from launch until the window is mapped (the server's own notice, bench_shown), median of
# 31, alternating the two programs.
(
    . "$here/../scripts/xvfb-run-window.sh"
    start_xvfb
    for _ in $(seq 31); do
        for program in "${programs[@]}"; do
            echo "${program%%=*} $(timeout 20 "$build/bench/bench_shown" Fizzet "${program#*=}/app/fizzet")"
        done
        echo "floor $(timeout 20 "$build/bench/bench_shown" "Fizzet floor" "$build/bench/bench_floor")"
    done >"$out/shown"
    median() { grep "^$1 " "$out/shown" | cut -d' ' -f2 | sort -n | sed -n 16p; }
    b=$(median floor)
    for name in "${programs[@]%%=*}"; do
        f=$(median "$name")
        echo "$name: shown after $f ms, floor $b ms, ratio $(awk -v a="$f" -v b="$b" 'BEGIN {printf "%.2f", a / b}')"
    done
)

# Instructions per tick: bench_cadence (the real window counting its ticks) under callgrind,
# animating for 2 s and for 12 s; the difference over the difference in ticks leaves out start-up.
if command -v valgrind >/dev/null; then
    for program in "${programs[@]}"; do
        name=${program%%=*} dir=${program#*=}
        (
            . "$here/../scripts/xvfb-run-window.sh"
            start_xvfb
            for s in 2 12; do
                valgrind --tool=callgrind --callgrind-out-file="$out/cg.$name.$s" \
                    "$dir/bench/bench_cadence" "$s" >"$out/cadence.$name.$s" 2>/dev/null &
                APP=$!
                for _ in $(seq 600); do
                    WID=$(xdotool search --onlyvisible --name '^Fizzet$' 2>/dev/null | head -1) && break
                    sleep 0.1
                done
                sleep 1
                press Reset Start
                wait "$APP"
                APP=
            done
        )
        total() { callgrind_annotate "$out/cg.$name.$1" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}'; }
        inclusive() { # function pattern
            callgrind_annotate --inclusive=yes --threshold=100 "$out/cg.$name.$1" 2>/dev/null |
                awk -v f="$2" 'index($0, f) {gsub(",", "", $1); print $1; exit}'
        }
        n2=$(awk '/^ticks/ {print $2}' "$out/cadence.$name.2") n12=$(awk '/^ticks/ {print $2}' "$out/cadence.$name.12")
        per() { awk -v a="$1" -v b="$2" -v n="$((n12 - n2))" 'BEGIN {printf "%.0f", (b - a) / n}'; }
        echo "$name: instructions per tick: whole process $(per "$(total 2)" "$(total 12)")," \
            "tick $(per "$(inclusive 2 'PointAnimation::tick')" "$(inclusive 12 'PointAnimation::tick')")," \
            "paint and flush $(per "$(inclusive 2 'DrawingSurface::flush')" \
            "$(inclusive 12 'DrawingSurface::flush')")"
    done
fi
