#!/usr/bin/env bash
# Catches faults that show only in the real program in a real X server: screens that do not
# come, go, refuse to close or lead back as they should, an arena drawn off its place, a click
# that fires nothing, in-game keys without their boxes, a rally that never ends, a bad exit.
# Usage: e2e_game.sh PATH_TO_VANTREL [SCREENSHOT_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
shots=${2:-$(mktemp -d)}
mkdir -p "$shots"
source "$here/xsession.sh"
unset QT_QPA_PLATFORM
start_x
trap stop_x EXIT

# Close requests to the window whose title is $1, as a window manager sends them: it must stay.
refuses_close() {
  python3 "$here/xtools.py" close "$(find_window "$1")" 20
  sleep 0.3
  [ -n "$(find_window "$1")" ] || fail "'$1' closed on a close request"
}

# A screenshot of the whole screen, as a PPM the checks read.
shoot() { import -window root "$shots/$1.png" && convert "$shots/$1.png" "$shots/$1.ppm"; }

start_program "$program"
read -r x y w h < <(xwininfo -id "$MENU_ID" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
  /Width/ {w=$NF} /Height/ {h=$NF} END {print x, y, w, h}')
[ $((2 * x + w - 1024)) -le 2 ] && [ $((2 * y + h - 768)) -le 2 ] && [ $((1024 - 2 * x - w)) -le 2 ] &&
  [ $((768 - 2 * y - h)) -le 2 ] || fail "the menu (${w}x$h at $x,$y) is not centred"
refuses_close "$MENU"

click_in "$MENU_ID" "${RULES_BUTTON[@]}"
rules=$(wait_window "$RULES")
wait_gone "$MENU"
refuses_close "$RULES"
click_in "$rules" "${BACK_BUTTON[@]}"
MENU_ID=$(wait_window "$MENU")
wait_gone "$RULES"

click_in "$MENU_ID" "${ABOUT_BUTTON[@]}"
about=$(wait_window "$ABOUT")
key_in "$about" Escape
MENU_ID=$(wait_window "$MENU")
wait_gone "$ABOUT"
echo "menu, rules and about screens come, refuse to close and lead back"

press_play
read -r w h < <(xdotool getwindowgeometry "$GAME_ID" | awk '/Geometry/ {split($2, s, "x"); print s[1], s[2]}')
[ "$w $h" = "1024 768" ] || fail "the game screen is ${w}x$h, not the whole screen"
refuses_close "$GAME"
xdotool mousemove --window "$GAME_ID" 400 "$POINTER_Y"
sleep 0.5
shoot arena
python3 "$here/xtools.py" frame "$shots/arena.ppm" "$PADDLE_Y"
click_in "$GAME_ID" 400 "$POINTER_Y"
shoot bullet
python3 "$here/xtools.py" bullet "$shots/bullet.ppm" $((PADDLE_Y + 37))
echo "the arena is drawn in its place, and a click fires from the middle of the paddle"

# Nobody plays the right paddle, so the rally ends soon.
key_in "$(wait_window "$RESULT_BOX" 180)" Return
key_in "$(wait_window "$TALLY_BOX" 10)" Return
wait_gone "$TALLY_BOX"
echo "a rally ended with its result and its tally"

key_in "$GAME_ID" p
key_in "$(wait_window "$PAUSE_BOX" 10)" Return
wait_gone "$PAUSE_BOX"
key_in "$GAME_ID" s
speed=$(wait_window "$SPEED_BOX" 10)
xdotool type --window "$speed" 50
key_in "$speed" Return
wait_gone "$SPEED_BOX"
back_to_menu
echo "p, s and q show their boxes, and q leads back to the menu"
press_quit
echo "PASS: menu, rules, about, close requests, Play, arena, bullet, rally, p, s, q, Quit (status 0)"
