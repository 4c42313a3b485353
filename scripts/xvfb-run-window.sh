#!/usr/bin/env bash
# Helpers for driving the real window on a private X server. Source this file, then:
#   start_xvfb                 start Xvfb on a free display and export DISPLAY
#   start_window PROGRAM...    start the program and wait for its window "Fizzet" (sets APP, WID)
#   click X Y                  left-click at (X, Y) inside the window
#   shot FILE                  save the window's client area as a PNG
# Everything started is stopped when the sourcing shell exits.
XVFB_PID= APP= WID=

stop_all() {
    [ -n "$APP" ] && kill "$APP" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    return 0
}
trap stop_all EXIT

start_xvfb() {
    local n
    for n in $(seq 200 299); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.05; done
    export DISPLAY=":$n"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

start_window() {
    "$@" &
    APP=$!
    WID=
    for _ in $(seq 200); do
        WID=$(xdotool search --onlyvisible --name '^Fizzet$' 2>/dev/null | head -1 || true)
        [ -n "$WID" ] && break
        sleep 0.05
    done
    [ -n "$WID" ] || { echo "no window captioned Fizzet appeared" >&2; return 1; }
    xdotool windowfocus --sync "$WID" 2>/dev/null || true
    sleep 0.3
}

click() {
    xdotool mousemove --window "$WID" "$1" "$2" click 1
    sleep 0.05
}

shot() {
    import -window "$WID" "$1"
}
