#!/usr/bin/env bash
# Helpers for driving the real window on a private X server. Source this file, then:
#   start_xvfb [SCREEN]        start Xvfb (SCREEN as WxHxDEPTH, default 1280x1024x24; more
#                              server arguments in XVFB_ARGS) and export DISPLAY
#   start_window PROGRAM...    start the program and wait for its window "Fizzet" (sets APP, WID)
#   click X Y                  left-click at (X, Y) inside the window
#   press CAPTION...           left-click each control, by caption, in the middle of where the
#                              build's layout file $LAYOUT puts it, at scale $SCALE (default 1)
#   shot FILE                  save the window's client area as a PNG
#   shown_after TITLE PROGRAM...  start the program, print the milliseconds until its window
#                              TITLE is visible (20 s at most), then end it
# Everything started is stopped when the sourcing shell exits.
XVFB_PID= APP= WID=

# Safe under set -e: a program that has already ended does not keep the server running.
stop_all() {
    if [ -n "$APP" ]; then kill "$APP" 2>/dev/null || true; fi
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
    wait 2>/dev/null
    return 0
}
trap stop_all EXIT

# The server picks a free display itself and reports it once it accepts connections, so runs
# side by side never share a display. -noreset: by default the server resets whenever its last
# client leaves, and turns away whoever connects meanwhile.
start_xvfb() {
    local ready
    ready=$(mktemp)
    # shellcheck disable=SC2086 # XVFB_ARGS holds several arguments
    Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp -noreset ${XVFB_ARGS:-} \
        3>"$ready" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 200); do
        [ -s "$ready" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    local n
    n=$(tr -dc 0-9 <"$ready")
    rm -f "$ready"
    if [ -z "$n" ]; then
        echo "Xvfb did not start" >&2
        XVFB_PID=
        return 1
    fi
    export DISPLAY=":$n"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    # It said it is ready; make sure a client gets in before anyone relies on it (not where it
    # demands a cookie, which the caller adds once the display is known).
    [[ ${XVFB_ARGS:-} == *-auth* ]] && return 0
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    echo "Xvfb on $DISPLAY does not accept connections" >&2
    return 1
}

# Now and then the private server turns a connection away during its setup (Qt then says it
# cannot connect to the display); a program that ends before its window appears is started
# once more.
start_window() {
    local attempt
    for attempt in 1 2; do
        "$@" &
        APP=$!
        WID=
        for _ in $(seq 200); do
            WID=$(xdotool search --onlyvisible --name '^Fizzet$' 2>/dev/null | head -1 || true)
            [ -n "$WID" ] && break
            kill -0 "$APP" 2>/dev/null || break
            sleep 0.05
        done
        [ -n "$WID" ] && break
        kill -0 "$APP" 2>/dev/null && break # still running: no retry
        wait "$APP" 2>/dev/null
    done
    [ -n "$WID" ] || { echo "no window captioned Fizzet appeared" >&2; return 1; }
    xdotool windowfocus --sync "$WID" 2>/dev/null || true
    sleep 0.3
}

click() {
    xdotool mousemove --window "$WID" "$1" "$2" click 1
    sleep 0.05
}

xvfb_helpers=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
press() {
    local c xy
    for c in "$@"; do
        xy=$(/usr/bin/python3 "$xvfb_helpers/../tests/e2e/layout.py" "$LAYOUT" centre "$c" \
            "${SCALE:-1}") || return 1
        # shellcheck disable=SC2086 # two words, x and y
        click $xy
    done
}

shot() {
    import -window "$WID" "$1"
}

shown_after() {
    local title=$1 t0
    shift
    t0=$(date +%s%N)
    "$@" >/dev/null 2>&1 &
    APP=$!
    for _ in $(seq 4000); do
        xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1 && break
        sleep 0.005
    done
    echo $((($(date +%s%N) - t0) / 1000000))
    kill "$APP" 2>/dev/null || true
    wait "$APP" 2>/dev/null || true
    APP=
}
