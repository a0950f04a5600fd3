#!/usr/bin/env bash
# Catches what only a real desktop shows: screens that do not come, go, refuse to close or lead back, a menu off the centre, an arena off its place or under a panel, a click that fires nothing, keys without their boxes, a bad exit.
# Usage: e2e_game.sh PATH_TO_VANTREL [SCREENSHOT_DIR] [bare|openbox|weston]
set -euo pipefail
shots=${2:-$(mktemp -d)}
mkdir -p "$shots"
source "$(dirname "$0")/xsession.sh"
start_x "${3:-bare}"
trap stop_x EXIT

# Close requests as a window manager sends them, or a click on the close button Qt draws on Wayland.
refuses_close() {
  if [ "$SESSION" != weston ]; then
    xtools close "$(find_window "$1")" 20
  elif [ "$1" != "$GAME" ]; then # no one can ask a full-screen window to close there
    read -r x y w _ < <(weston_frame "$1")
    xdotool mousemove --sync $((x + w - 17)) $((y + 15)) click 1 # 18 wide, 8 from the right
  fi
  sleep 0.3
  find_window "$1" >/dev/null || fail "'$1' closed on a close request"
}

start_program "$1"
if [ "$SESSION" != weston ]; then # Weston places windows itself: Wayland lets no program say where
  # Twice the distance of the outer frame from the centre: the window and the frame its manager reports.
  extents=$(xprop -id "$MENU_ID" _NET_FRAME_EXTENTS | grep -o '[0-9, ]*$')
  read -r dx dy < <(xwininfo -id "$MENU_ID" | awk -v e="${extents:-0,0,0,0}" 'BEGIN { split(e, m, ",") }
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width/ {w=$NF} /Height/ {h=$NF}
    END {print 2 * x + w - m[1] + m[2] - 1024, 2 * y + h - m[3] + m[4] - 768}')
  [ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ] || fail "the menu's frame is off the centre by ($dx, $dy) / 2"
fi
refuses_close "$MENU"
click_in "$MENU_ID" "${RULES_BUTTON[@]}"
rules=$(replaced "$MENU" "$RULES")
refuses_close "$RULES"
click_in "$rules" "${BACK_BUTTON[@]}"
MENU_ID=$(replaced "$RULES" "$MENU")
click_in "$MENU_ID" "${ABOUT_BUTTON[@]}"
about=$(replaced "$MENU" "$ABOUT")
key_in "$about" Escape
MENU_ID=$(replaced "$ABOUT" "$MENU")

press_play
# Only the full-screen state asked of the window manager keeps every panel under the game.
[ "$SESSION" != openbox ] || xprop -id "$GAME_ID" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN ||
  fail "the window manager was not asked for the full-screen state"
refuses_close "$GAME"
xdotool mousemove --sync 900 "$POINTER_Y" # right of the arena, where the pointer must not show
sleep 0.5
xdotool click 1
xtools arena "$shots/arena.ppm" "$PADDLE_Y"
# Nobody plays the right paddle, so the rally ends soon.
WAIT=180 answer "$RESULT_BOX" Return
answer "$TALLY_BOX" Return
key_in "$GAME_ID" p
answer "$PAUSE_BOX" Return
key_in "$GAME_ID" s
answer "$SPEED_BOX" 5 0 Return
back_to_menu
press_quit
echo "PASS: menu, rules, about, close requests, Play, arena, bullet, rally, p, s, q, Quit (status 0)"
