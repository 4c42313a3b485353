#!/usr/bin/env bash
# The real program as a person uses it: started on a private X server, driven with real mouse
# clicks and key presses, judged by screenshots of its window. The Windows program (a .exe)
# runs under Wine and gets the same checks, less those of the Linux desktop.
#   e2e.sh PROGRAM [XCLOSE]       without XCLOSE the window is closed with Alt+F4
set -u
prog=$(realpath "$1")
xclose=${2:+$(realpath "$2")}
launch=("$prog") windows=
if [[ $prog == *.exe ]]; then
    windows=1 launch=(wine "$prog")
    export WINEDEBUG=-all
fi
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/xvfb-run-window.sh"
work=$(mktemp -d)
trap 'stop_all; rm -rf "$work"' EXIT

. "$here/../verdict.sh"

# The window's _NET_WM_ICON holds the 16, 32 and 48 pixel pictures, in that order, each the
# same ARGB words as the menu entry's PNG of that size.
icon_is_installed_picture() {
    xprop -id "$WID" -notype -f _NET_WM_ICON 32c _NET_WM_ICON >"$work/icon.txt" || return 1
    python3 - "$work/icon.txt" "$here/../../data/icons" <<'EOF'
import subprocess
import sys
values = [int(v) for v in open(sys.argv[1]).read().split("=", 1)[1].replace(",", " ").split()]
sizes = []
while values:
    w, h = values[0], values[1]
    pixels, values = values[2:2 + w * h], values[2 + w * h:]
    png = f"{sys.argv[2]}/org.fizzet.Fizzet-{w}.png"
    rgba = subprocess.run(["convert", png, "-depth", "8", "rgba:-"], capture_output=True).stdout
    want = [rgba[i + 3] << 24 | rgba[i] << 16 | rgba[i + 1] << 8 | rgba[i + 2]
            for i in range(0, len(rgba), 4)]
    if pixels != want:
        sys.exit(f"the {w} x {h} icon is not {png}")
    sizes.append((w, h))
sys.exit(0 if sizes == [(16, 16), (32, 32), (48, 48)] else f"icon sizes {sizes}")
EOF
}

# Window-relative places (pixels): the buttons' centres, the label, the drawing area.
declare -A at=([next]="168 32" [prev]="32 32" [start]="36 104" [reset]="100 104" [stop]="164 104"
    [fall]="36 280" [sort]="100 280" [wind]="164 280")
zoom=1 # device pixels per window pixel: screenshots are brought back to one
press() { for b in "$@"; do set -- ${at[$b]}; click $(($1 * zoom)) $(($2 * zoom)); done; }
key() { xdotool key "$@"; sleep 0.05; }
snap() { shot "$work/$1.png" && mogrify -sample $((100 / zoom))% "$work/$1.png"; }

# "x y r g b" for every pixel of the drawing area (183 x 128 at 9,129) of a screenshot.
drawing() {
    convert "$work/$1.png" -crop 183x128+9+129 +repage -depth 8 -type TrueColor txt:- |
        awk -F'[,:() ]+' 'NR > 1 { print $1, $2, $3, $4, $5 }'
}
# The colour of one pixel, as "r g b".
pixel() {
    convert "$work/$1.png" -crop "1x1+$2+$3" +repage -depth 8 -type TrueColor txt:- |
        awk -F'[,:() ]+' 'NR == 2 { print $3, $4, $5 }'
}
# The plotted pixels (those not of the background colour) of a screenshot's drawing area.
plotted() { drawing "$1" | awk -v bg="$background" '($3 " " $4 " " $5) != bg'; }
count() { plotted "$1" | wc -l; }
same_drawing() { cmp -s <(drawing "$1") <(drawing "$2"); }
# The label's background, and whether its number stands out from it.
label_is() { [ "$(pixel "$1" 58 18)" = "$2" ]; }
label_inked() {
    convert "$work/$1.png" -crop 89x33+56+16 +repage -depth 8 -type TrueColor txt:- |
        awk -F'[,:() ]+' -v bg="$2" 'BEGIN { split(bg, b, " ") }
            NR > 1 { d = ($3 - b[1]) ^ 2 + ($4 - b[2]) ^ 2 + ($5 - b[3]) ^ 2; if (d > 30000) n++ }
            END { exit !(n > 10) }'
}
# Every plotted pixel satisfies the awk condition on x, y, r, g, b.
all_plotted() { plotted "$1" | awk "{ if (!($2)) bad++ } END { exit bad > 0 }"; }
# At least PERCENT of plotted pixels satisfy the condition.
most_plotted() {
    plotted "$1" | awk -v want="$3" "{ n++; if ($2) good++ } END { exit !(n > 0 && good * 100 >= want * n) }"
}
no_crash_report() { ! grep -qiE 'abort|core dumped|segmentation' "$1"; }
distinct() { plotted "$1" | awk -v f="$2" '{ seen[$f] = 1 } END { print length(seen) }'; }
# Red follows the row and blue the column, exactly as the program computes them.
colour_rule='$3 == ($2 == 127 ? 255 : int($2 * 256 / 127)) && $5 == ($1 == 182 ? 255 : int($1 * 256 / 182))'

start_xvfb || exit 1
close_window() {
    if [ -n "$xclose" ]; then "$xclose" "$WID"; else xdotool windowfocus --sync "$WID" key alt+F4; fi
}

start_window "${launch[@]}" 2>"$work/stderr.log" || { cat "$work/stderr.log"; exit 1; }

# --- At start-up ----------------------------------------------------------------------------
geometry=$(xwininfo -id "$WID")
# Docks tie the window to its menu entry by the class in WM_CLASS (the second string).
if [ -z "$windows" ]; then
    wm_class=$(xprop -id "$WID" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)"$/\1/p')
    entry_class=$(sed -n 's/^StartupWMClass=//p' "$here/../../data/org.fizzet.Fizzet.desktop")
    check "WM_CLASS \"$wm_class\" is the menu entry's StartupWMClass" [ "${wm_class:-none}" = "$entry_class" ]
    # Window lists and switchers that read the window's own icon find it in whole pixels.
    sleep 0.2 # it is set once the window is up
    check "the window's icon is the installed one at 16, 32 and 48 pixels, pixel for pixel" \
        icon_is_installed_picture
fi
check "window is 199 x 311" [ "$(awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}' <<<"$geometry")" = 199x311 ]
snap start
background=$(pixel start 100 200)
check "surface blank at start" [ "$(count start)" -eq 0 ]
check "surface differs from the window colour" [ "$background" != "$(pixel start 4 4)" ]
check "label reads 8 on dark gray" label_is start "128 128 128"
check "the 8 is drawn" label_inked start "128 128 128"

# --- Keyboard only, from the initial focus on ">" -------------------------------------------
xdotool windowfocus --sync "$WID" 2>/dev/null
key space
snap key-next
check "Space on the initial focus steps to 9 (blue)" label_is key-next "0 0 255"
key Return
snap key-return
check "Return on the focused button steps to 10 (green)" label_is key-return "0 255 0"
key KP_Enter
snap key-enter
check "keypad Enter on the focused button steps to 11 (cyan)" label_is key-enter "0 255 255"
# Held for 5 s, each key still presses once: the server's repeats are no new presses.
hold() { xdotool keydown "$1"; sleep 5; xdotool keyup "$1"; sleep 0.1; }
hold Return
snap held-return
check "Return held for 5 s steps once, to 12 (red)" label_is held-return "255 0 0"
hold space
snap held-space
check "Space held for 5 s steps once, to 13 (magenta)" label_is held-space "255 0 255"
hold KP_Enter
snap held-enter
check "keypad Enter held for 5 s steps once, to 14 (yellow)" label_is held-enter "255 255 0"
key Tab Tab space # "<", then "Start"
sleep 0.5
snap key-running
check "Tab, Tab, Space starts the animation" [ "$(count key-running)" -gt 0 ]
check "from start-up the points fall down the left-hand column" all_plotted key-running '$1 == 0'
key Tab space # "Stop"
snap key-stopped
sleep 0.3
snap key-stopped-later
check "Tab, Space stops it: the picture is frozen" same_drawing key-stopped key-stopped-later

# --- The stepper's ends ---------------------------------------------------------------------
press next next next next next next next next
snap top
check "the stepper stops at 15 (white)" label_is top "255 255 255"
check "the 15 is drawn on white" label_inked top "255 255 255"
for _ in $(seq 18); do press prev; done
snap bottom
check "the stepper stops at 0 (black)" label_is bottom "0 0 0"
check "the 0 can be read on black" label_inked bottom "0 0 0"

# --- Fall: trails that grow, columns, colours -----------------------------------------------
press fall reset
snap reset-stopped
check "Reset clears the surface" [ "$(count reset-stopped)" -eq 0 ]
press start
sleep 0.3
snap fall-early
sleep 0.5
snap fall-later
check "trails grow while running" [ "$(count fall-later)" -gt "$(count fall-early)" ]
check "Fall: every column holds a trail" [ "$(distinct fall-later 1)" -ge 175 ]
check "Fall: the trails start at the top row" all_plotted fall-later '$2 < 64'
check "Fall: red follows the row, blue the column" most_plotted fall-later "$colour_rule" 90
sleep 1.5
snap fall-long
check "Fall: the trails reach further down later" \
    [ "$(plotted fall-long | awk 'BEGIN {m = 0} $2 > m {m = $2} END {print m}')" -gt 30 ]
press reset
sleep 0.1
press stop
snap reset-running
check "Reset while running clears, then only the top rows are drawn" all_plotted reset-running '$2 < 20'
check "the animation keeps running after Reset" [ "$(count reset-running)" -gt 0 ]
snap stopped
sleep 0.3
snap stopped-later
check "Stop freezes the picture" same_drawing stopped stopped-later
if [ -z "$windows" ]; then
    xdotool windowunmap --sync "$WID" windowmap --sync "$WID"
    xdotool windowfocus --sync "$WID" 2>/dev/null
    sleep 0.3
    snap remapped
    check "the picture comes back whole when the window is shown again" \
        same_drawing stopped remapped
fi

# --- Sort: a band around the diagonal -------------------------------------------------------
press sort reset start
sleep 0.6
press stop
snap sort
check "Sort: points jitter in a band around the diagonal" \
    all_plotted sort '($2 - $1 * 127 / 182) ^ 2 < 50 ^ 2'
check "Sort: the band runs corner to corner" \
    [ "$(plotted sort | awk 'NR == 1 {a = $1; b = $1} $1 < a {a = $1} $1 > b {b = $1} END {print (a < 10 && b > 172)}')" = 1 ]

# --- Wind: rows drifting right --------------------------------------------------------------
press wind reset start
sleep 0.6
press stop
snap wind
check "Wind: every row holds a trail" [ "$(distinct wind 2)" -ge 120 ]
check "Wind: the trails start at the left edge" all_plotted wind '$1 < 92'
check "Wind: red follows the row, blue the column" most_plotted wind "$colour_rule" 90

# --- Closing while running ------------------------------------------------------------------
press start
sleep 0.2
close_window
status=timeout
for _ in $(seq 100); do kill -0 "$APP" 2>/dev/null || break; sleep 0.05; done
if ! kill -0 "$APP" 2>/dev/null; then wait "$APP"; status=$?; fi
APP=
check "closing the window while running exits with status 0 (got $status)" [ "$status" = 0 ] ||
    cat "$work/stderr.log"

# --- An unusable home directory -------------------------------------------------------------
homes=(/nonexistent/fizzet-home /dev/null)
[ -z "$windows" ] || homes=() # Wine keeps its prefix under HOME
for home in ${homes[@]+"${homes[@]}"}; do
    HOME=$home start_window "$prog" 2>"$work/home.log"
    shown=$?
    [ "$shown" = 0 ] || cat "$work/home.log"
    close_window
    wait "$APP"
    status=$?
    APP=
    check "HOME=$home: the window opens and closes with status 0" [ "$shown:$status" = 0:0 ]
    check "HOME=$home: no crash report" no_crash_report "$work/home.log"
done

# --- A second monitor at twice the scale: the window follows it there and back -----------------
if [ -z "$windows" ]; then
    kill "$XVFB_PID"
    start_xvfb 1700x800x24 || exit 1
    xrandr --setmonitor A 800/200x700/180+0+0 screen >/dev/null &&
        xrandr --setmonitor B 900/220x800/200+800+0 none >/dev/null
    QT_SCREEN_SCALE_FACTORS="A=1;B=2" start_window "$prog" 2>"$work/monitors.log"
    size() { xwininfo -id "$WID" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }
    xdotool windowmove --sync "$WID" 1000 100
    sleep 0.5
    check "on the monitor at 2 x the window is 398 x 622" [ "$(size)" = 398x622 ]
    zoom=2
    press next
    snap b-next
    check "there \">\" steps to 9 (blue)" label_is b-next "0 0 255"
    press prev
    snap b-prev
    check "there \"<\" steps back to 8" label_is b-prev "128 128 128"
    press wind reset start
    sleep 0.5
    press stop
    snap b-wind
    snap b-wind-later
    check "there Wind, Reset, Start and Stop work" eval '[ "$(count b-wind)" -gt 0 ] &&
        all_plotted b-wind "\$1 < 92" && same_drawing b-wind b-wind-later'
    press sort reset start
    sleep 0.5
    press stop
    snap b-sort
    check "there Sort works" all_plotted b-sort '($2 - $1 * 127 / 182) ^ 2 < 50 ^ 2'
    xdotool windowmove --sync "$WID" 100 100
    sleep 0.5
    zoom=1
    check "back on the first monitor the window is 199 x 311" [ "$(size)" = 199x311 ]
    press fall reset start
    sleep 0.5
    press stop
    snap a-fall
    check "there Fall, Reset, Start and Stop work" eval '[ "$(count a-fall)" -gt 0 ] &&
        all_plotted a-fall "\$2 < 64"'
    close_window
    wait "$APP"
    APP=
fi

finish e2e
