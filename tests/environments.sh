#!/usr/bin/env bash
# The real program in the environments that users and launchers give it. For each: the exit
# status, the exact number of lines on standard error, no file written in a fresh HOME and no
# process left behind. Where a window should open, it is closed as a window manager would.
#   environments.sh LAYOUT_FILE PROGRAM XCLOSE
set -u
LAYOUT=$(realpath "$1")
prog=$(realpath "$2")
xclose=$(realpath "$3")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../scripts/xvfb-run-window.sh"
work=$(mktemp -d)
trap 'stop_all; chmod -R u+w "$work"; rm -rf "$work"' EXIT
runtime="$work/runtime"
mkdir -m 700 "$runtime"
start_xvfb || exit 1
display=$DISPLAY
marker=FIZZET_ENVIRONMENT_RUN_$$ # inherited by anything the program starts

. "$here/verdict.sh"
# A verdict, with what the program said when it failed.
report() { # name, then problems (none: passed)
    verdict "$@" || sed 's/^/     | /' "$work/err"
}

# Kills the X server at once, with no word from the shell about it.
kill_xvfb() { { kill -KILL "$XVFB_PID"; wait "$XVFB_PID"; } 2>/dev/null; }

# Waits up to 10 s for the window of APP while it runs; WID is its id, or empty.
await_window() {
    WID=
    for _ in $(seq 200); do
        WID=$(xdotool search --onlyvisible --name '^Fizzet$' 2>/dev/null | head -1)
        [ -n "$WID" ] && return
        kill -0 "$APP" 2>/dev/null || return
        sleep 0.05
    done
}

# Waits up to 10 s for APP to end, then kills it; status is its exit status, or "timeout".
await_end() {
    status=timeout
    for _ in $(seq 200); do kill -0 "$APP" 2>/dev/null || break; sleep 0.05; done
    if kill -0 "$APP" 2>/dev/null; then kill -KILL "$APP"; else wait "$APP"; status=$?; fi
    APP=
}

# Processes still carrying the marker, that is, started by the program and left running.
leftovers() { grep -lsz "^$marker=" /proc/[0-9]*/environ | cut -d/ -f3 | paste -sd,; }

# [LINE=REGEX] [PRE=COMMAND] [ARGS=WORDS] run NAME STATUS LINES ENDING [VAR=VALUE ...]
#     [-- REDIRECTIONS]
#   ENDING: close (a window must open; it is closed), destroyed (a window must open; another
#   client destroys it), exit (no window; the program ends by itself), term (a window must open;
#   SIGTERM while animating), xdies (a window must open; the X server is killed while
#   animating), xcrash (a window must open; the X server is killed and the program then crashes),
#   xdies@SECONDS (the X server is killed that long after launch, window or not). The program
#   runs with a fresh, empty HOME and a private XDG_RUNTIME_DIR unless the variables say
#   otherwise; "-u VAR" unsets one. PRE runs in the program's shell first (a ulimit, say); with
#   LINE, standard error must be that one line. ARGS go on the program's command line.
run() {
    local name=$1 want_status=$2 want_lines=$3 ending=$4
    shift 4
    local home="$work/home.$passed.$failed"
    mkdir -p "$home"
    local unset=(-u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u DBUS_SESSION_BUS_ADDRESS)
    local vars=(HOME="$home" XDG_RUNTIME_DIR="$runtime" DISPLAY="$DISPLAY") redirect=
    while [ $# -gt 0 ]; do
        case $1 in
        -u)
            unset+=(-u "$2")
            local kept=() v
            for v in "${vars[@]}"; do [[ $v == "$2="* ]] || kept+=("$v"); done
            vars=("${kept[@]}")
            shift 2
            ;;
        --) redirect=$2; shift 2 ;;
        *) vars+=("$1"); shift ;;
        esac
    done
    local problems=() attempt
    for attempt in 1 2; do
    (
        exec env "${unset[@]}" "$marker=1" ${vars[@]+"${vars[@]}"} \
            bash -c "${PRE:+$PRE; }exec $redirect \"\$0\" ${ARGS:-}" "$prog"
    ) 2>"$work/err" &
    APP=$!
    # A window row whose program ends at once, turned away by the server during its setup
    # (see start_window), is run once more.
    case $ending in
    exit) break ;;
    xdies@*) sleep "${ending#xdies@}"; kill_xvfb; break ;;
    esac
    await_window
    kill -0 "$APP" 2>/dev/null && break
    wait "$APP" 2>/dev/null
    done
    if [ "$ending" != exit ] && [[ $ending != xdies@* ]]; then
        if [ -z "$WID" ]; then
            problems+=("no window")
        else
            case $ending in
            close) "$xclose" "$WID" ;;
            destroyed) xdotool windowclose "$WID" ;;
            xcrash) # the crash comes first, once the program runs on after the server went
                kill -STOP "$APP"; kill_xvfb; sleep 0.1
                kill -SEGV "$APP"; kill -CONT "$APP"
                ;;
            term | xdies)
                press Start
                sleep 0.3
                if [ "$ending" = term ]; then kill -TERM "$APP"; else kill "$XVFB_PID"; fi
                ;;
            esac
        fi
    fi
    local status
    await_end
    local lines
    lines=$(grep -c '' "$work/err")
    [ "$status" = "$want_status" ] || problems+=("status $status, expected $want_status")
    [ "$lines" = "$want_lines" ] || problems+=("$lines lines on standard error, expected $want_lines")
    [ -z "${LINE:-}" ] || grep -qxE "$LINE" "$work/err" || problems+=("not the line /$LINE/")
    local written
    written=$(find "$home" -mindepth 1 2>/dev/null | head -3)
    [ -z "$written" ] || problems+=("wrote in HOME: $written")
    sleep 0.2
    local left
    left=$(leftovers)
    if [ -n "$left" ]; then
        problems+=("left running: $(ps -o args= -p "$left" | paste -sd,)")
        kill ${left//,/ } 2>/dev/null
    fi
    report "$name (status $status, $lines lines)" ${problems[@]+"${problems[@]}"}
    if [[ $ending == x* ]]; then start_xvfb || exit 1; display=$DISPLAY; fi
}

# --- No window can be had -------------------------------------------------------------------
# Each says why in its own words.
unreached='fizzet: cannot connect to the display'
LINE='fizzet: no display is set \(neither DISPLAY nor WAYLAND_DISPLAY\)' \
    run "no display" 1 1 exit -u DISPLAY
LINE='fizzet: no display is set \(neither DISPLAY nor WAYLAND_DISPLAY\)' \
    run "empty DISPLAY" 1 1 exit DISPLAY=
LINE="$unreached :473" run "unreachable display" 1 1 exit DISPLAY=:473
LINE="$unreached wayland-473" \
    run "unreachable Wayland display" 1 1 exit -u DISPLAY WAYLAND_DISPLAY=wayland-473
LINE="$unreached no such:display!" run "garbage DISPLAY" 1 1 exit 'DISPLAY=no such:display!'
LINE='fizzet: the window system "bogus" \(QT_QPA_PLATFORM\) cannot be started' \
    run "QT_QPA_PLATFORM=bogus" 1 1 exit QT_QPA_PLATFORM=bogus
# The display asked for on the command line is the one named.
LINE="$unreached :474" ARGS="-display :474" run "-display :474, DISPLAY working" 1 1 exit
LINE="$unreached :474" ARGS="-display :474" run "-display :474, no DISPLAY" 1 1 exit -u DISPLAY
main_xvfb=$XVFB_PID
touch "$work/cookies"
XVFB_ARGS="-auth $work/cookies" start_xvfb || exit 1
xauth -q -f "$work/cookies" add "$DISPLAY" . "$(mcookie)"
LINE="fizzet: the display $DISPLAY refused the connection: not authorized \\(see XAUTHORITY\\)" \
    run "refused authorization" 1 1 exit XAUTHORITY=/dev/null
kill "$XVFB_PID"
start_xvfb 640x480x8 || exit 1
LINE="fizzet: cannot draw on the display $DISPLAY: it has 8-bit color, and at least 15-bit color is needed" \
    run "8-bit screen" 1 1 exit
kill "$XVFB_PID"
XVFB_PID=$main_xvfb DISPLAY=$display

# --- Home and runtime folders ---------------------------------------------------------------
run "HOME unset" 0 0 close -u HOME
run "HOME missing" 0 0 close HOME="$work/missing"
mkdir -m 555 "$work/read-only"
run "HOME read-only" 0 0 close HOME="$work/read-only"
run "HOME=/dev/null" 0 0 close HOME=/dev/null
run "XDG_RUNTIME_DIR unset" 0 1 close -u XDG_RUNTIME_DIR
touch "$work/runtime-file"
run "XDG_RUNTIME_DIR a file" 0 1 close XDG_RUNTIME_DIR="$work/runtime-file"
mkdir -m 755 "$work/runtime-open"
run "XDG_RUNTIME_DIR mode 0755" 0 1 close XDG_RUNTIME_DIR="$work/runtime-open"
# A warning that mentions memory, which the program shrugs off as Qt does.
mkdir -m 755 "$work/out of memory"
run "a warning that mentions memory" 0 1 close XDG_RUNTIME_DIR="$work/out of memory"

# --- Locales --------------------------------------------------------------------------------
run "LANG=C" 0 0 close LANG=C LC_ALL=C
# Turkish case rules (dotted and dotless i) trip up code that compares names case-blind. The
# locale is compiled into the work folder, so the system's locales stay as they are.
mkdir "$work/locales"
if localedef -i tr_TR -f UTF-8 "$work/locales/tr_TR.UTF-8" 2>/dev/null; then
    run "Turkish locale" 0 0 close LOCPATH="$work/locales" LANG=tr_TR.UTF-8 LC_ALL=tr_TR.UTF-8
else
    echo "skip Turkish locale: localedef cannot make tr_TR.UTF-8"
fi

# --- Closed standard streams, each with a warning on the way ----------------------------------
for closed in 0 1 2 01 02 12 012; do
    redirect=$(sed 's/./&<\&- /g; s/1<\&-/1>\&-/; s/2<\&-/2>\&-/' <<<"$closed")
    lines=0
    [[ $closed == *2* ]] || lines=1
    run "fd $(sed 's/./& /g; s/ $//' <<<"$closed") closed" 0 "$lines" close -u XDG_RUNTIME_DIR -- "$redirect"
done

# --- No session bus, and endings while animating ----------------------------------------------
run "no session bus" 0 0 close
run "SIGTERM while animating" 143 0 term
# However early the server goes, one line names the display: lost, or never reached.
lost='fizzet: (lost the connection to|cannot connect to) the display :[0-9]+'
LINE=$lost run "X server killed while animating" 1 1 xdies
run "destroyed by another client" 0 0 destroyed
LINE=$lost run "X server killed, then a crash" 1 1 xcrash
for delay in 0.01 0.02 0.03 0.05 0.08 0.15; do
    LINE=$lost run "X server killed ${delay} s after launch" 1 1 "xdies@$delay"
done

# --- Scale factors below 1: the window as at 1, whole -----------------------------------------
scaled_shot() { # factor, file
    (exec env HOME="$work" XDG_RUNTIME_DIR="$runtime" "$marker=1" QT_SCALE_FACTOR="$1" "$prog") \
        2>"$work/err" &
    APP=$!
    await_window
    sleep 0.5
    if [ -n "$WID" ]; then import -window "$WID" "$2"; "$xclose" "$WID"; fi
    await_end
}
scaled_shot 1 "$work/x1.png"
for factor in 0.5 0.75; do
    rm -f "$work/x.png"
    scaled_shot "$factor" "$work/x.png"
    problems=()
    [ "$status" = 0 ] || problems+=("status $status")
    [ -s "$work/x.png" ] && [ "$(compare -metric AE "$work/x1.png" "$work/x.png" null: 2>&1)" = 0 ] ||
        problems+=("not the window as at scale 1")
    report "scale factor $factor: the window as at scale 1" ${problems[@]+"${problems[@]}"}
done

# --- Limits: out of memory, or no thread to be had, said as such -----------------------------
# A sanitizer's shadow memory needs far more address space than these limits give.
if ! ldd "$prog" | grep -q libasan; then
    LINE='fizzet: cannot start a thread \(.*\)' PRE='ulimit -s 33554432' \
        run "thread stacks too large to start" 1 1 exit
    # Each limit stops start-up at another step, or not at all: whatever happens is a window, the
    # loader's refusal before the program runs, or one line saying what failed; never a crash.
    for limit in $(seq 72000 4000 152000); do
        (
            ulimit -v "$limit"
            exec env HOME="$work" XDG_RUNTIME_DIR="$runtime" "$marker=1" "$prog"
        ) 2>"$work/err" &
        APP=$!
        await_window
        [ -z "$WID" ] || "$xclose" "$WID"
        await_end
        problems=()
        case $status in
        0 | 127) ;;
        1) grep -qxE 'fizzet: (out of memory|cannot start a thread).*' "$work/err" &&
            [ "$(grep -c '' "$work/err")" = 1 ] || problems+=("not one line saying what failed") ;;
        *) problems+=("status $status") ;;
        esac
        report "address space limited to $limit KB (status $status)" ${problems[@]+"${problems[@]}"}
    done
fi

finish environments
