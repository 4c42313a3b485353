#!/usr/bin/env bash
# Runs a command as a client of a private, headless Wayland compositor (weston) and passes on
# its exit status; fails if the compositor reports a protocol error.
#   wayland.sh COMMAND...
set -u
command -v weston >/dev/null || { echo "weston is not installed: skipped"; exit 77; }
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'kill "$weston" 2>/dev/null; wait 2>/dev/null; rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=wayland-fizzet \
    --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston=$!
for _ in $(seq 100); do [ -S "$runtime/wayland-fizzet" ] && break; sleep 0.05; done
[ -S "$runtime/wayland-fizzet" ] || { echo "weston did not start:"; cat "$runtime/weston.log"; exit 1; }
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-fizzet QT_QPA_PLATFORM=wayland \
    "$@" 2>&1 | tee "$runtime/client.log"
status=${PIPESTATUS[0]}
if grep -qi 'protocol error' "$runtime/client.log"; then
    echo "FAIL: the compositor saw a protocol error"
    status=1
fi
exit "$status"
