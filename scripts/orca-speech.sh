#!/usr/bin/env bash
# What Orca says of the real program: Orca and PROGRAM in a private D-Bus session on a private X
# server, Space on ">", then Tab and Space on "<". Orca's debug log goes to LOG, and what it
# spoke is printed. Needs Debian's orca (which dev.sh does not install).
#   scripts/orca-speech.sh [PROGRAM] [LOG]
prog=$(realpath "${1:-build/app/fizzet}") log=${2:-$(mktemp)}
. "$(dirname "$0")/xvfb-run-window.sh"
start_xvfb || exit 1
export XDG_RUNTIME_DIR=$(mktemp -d) HOME=$(mktemp -d)
rm -f "$log"
dbus-run-session -- bash -c '
  gsettings set org.gnome.desktop.a11y.applications screen-reader-enabled true 2>/dev/null
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null 2>&1
  orca --replace --debug-file="$2" >/dev/null 2>&1 & orca=$!
  sleep 6
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" >/dev/null 2>&1 & app=$!
  for i in $(seq 100); do xdotool search --onlyvisible --name "^Fizzet$" >/dev/null 2>&1 && break; sleep 0.1; done
  sleep 2
  xdotool search --onlyvisible --name "^Fizzet$" windowfocus --sync >/dev/null 2>&1
  sleep 1.5
  xdotool key space; sleep 2
  xdotool key Tab; sleep 1.5; xdotool key space; sleep 2
  kill $app $orca 2>/dev/null; wait 2>/dev/null
' _ "$prog" "$log"
grep -o "SPEECH OUTPUT: '[^']*'" "$log"
