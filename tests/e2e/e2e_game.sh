#!/usr/bin/env bash
# Catches faults that show only in the real program on a real desktop: screens that do not
# come, go, refuse to close or lead back as they should, a menu off the centre, an arena drawn
# off its place or under a panel, a click that fires nothing, in-game keys without their
# boxes, a rally that never ends, a bad exit.
# Usage: e2e_game.sh PATH_TO_VANTREL [SCREENSHOT_DIR] [bare|openbox|weston]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
shots=${2:-$(mktemp -d)}
mkdir -p "$shots"
source "$here/xsession.sh"
unset QT_QPA_PLATFORM
start_session "${3:-bare}"
trap stop_session EXIT

# Close requests to the window whose title is $1, as a window manager sends them, or on Wayland
# a click on the close button Qt draws at the right of the title bar: it must stay. (No one but
# the compositor can ask a full-screen window to close there.)
refuses_close() {
  if [ "$SESSION" != weston ]; then
    python3 "$here/xtools.py" close "$(find_window "$1")" 20
  elif [ "$1" != "$GAME" ]; then
    read -r x y w _ < <(frame_of "$1")
    xdotool mousemove --sync $((x + w - 17)) $((y + TITLE_BAR / 2)) click 1 # 18 wide, 8 from the edge
  fi
  sleep 0.3
  [ -n "$(find_window "$1")" ] || fail "'$1' closed on a close request"
}

# A screenshot of the whole screen, as a PPM the checks read.
shoot() { import -window root "$shots/$1.png" && convert "$shots/$1.png" "$shots/$1.ppm"; }

start_program "$program"
read -r x y w h < <(frame_of "$MENU_ID")
echo "the menu's frame: ${w}x$h at $x,$y"
# Weston places a new window where it likes (at random), and Wayland lets no program say where.
dx=$((2 * x + w - 1024)) dy=$((2 * y + h - 768)) # twice the distance from the centre
[ "$SESSION" = weston ] || { [ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ]; } || fail "the menu's frame is off the centre"
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
# A window manager lets a frameless window the size of the screen cover it too, but only the
# full-screen state it was asked for keeps every panel under the game.
[ "$SESSION" != openbox ] || xprop -id "$GAME_ID" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN ||
  fail "the window manager was not asked for the full-screen state"
refuses_close "$GAME"
# Right of the arena, where nothing is drawn: the pointer must not show there either.
xdotool mousemove --sync 900 "$POINTER_Y"
sleep 0.5
shoot arena
python3 "$here/xtools.py" frame "$shots/arena.ppm" "$PADDLE_Y"
xdotool click 1
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
key_in "$speed" 5 && key_in "$speed" 0 && key_in "$speed" Return
wait_gone "$SPEED_BOX"
back_to_menu
echo "p, s and q show their boxes, and q leads back to the menu"
press_quit
echo "PASS: menu, rules, about, close requests, Play, arena, bullet, rally, p, s, q, Quit (status 0)"
