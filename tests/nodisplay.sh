#!/usr/bin/env bash
# Without a reachable display the program prints one line on standard error and exits with 1,
# without aborting.  Usage: nodisplay.sh PROGRAM
set -u
prog=$1
fail=0
check() { # name, then the environment to run under
    local name=$1; shift
    local err rc lines
    err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$prog" 2>&1 >/dev/null)
    rc=$?
    lines=$(printf '%s' "$err" | grep -c '')
    if [ "$rc" -ne 1 ] || [ "$lines" -ne 1 ] || ! grep -q '^fizzet: .*display' <<<"$err"; then
        echo "FAIL $name: exit $rc, stderr:"; printf '%s\n' "$err"; fail=1
    else
        echo "ok   $name: $err"
    fi
}
check "no display set"
check "unreachable display" DISPLAY=:473
check "unreachable wayland display" WAYLAND_DISPLAY=wayland-473 XDG_RUNTIME_DIR=/tmp
exit $fail
