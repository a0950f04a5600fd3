#!/usr/bin/env bash
# Catches what only a real desktop shows: screens that do not come, go, refuse to close or lead back, a menu
# off the centre, an arena misplaced or under a panel, a deaf paddle, clicks or keys doing nothing, a bad exit.
# Usage: e2e_game.sh PATH_TO_VANTREL [SCREENSHOT_DIR] [bare|openbox|weston]
set -euo pipefail
source "$(dirname "$0")/xsession.sh"
start_x "${3:-bare}"
trap stop_x EXIT
shots=${2:-$SESSION_DIR}
mkdir -p "$shots"

# Close requests as a window manager sends them; Wayland has none that a test could send.
refuses_close() {
  [ "$SESSION" != weston ] || return 0
  xtools close "$(find_window "$1")" 20
  sleep 0.3
  find_window "$1" >/dev/null || fail "'$1' closed on a close request"
}

start_program "$1"
if [ "$SESSION" != weston ]; then # Weston places windows itself: Wayland lets no program say where
  # Twice the outer frame's distance from the centre, from the window's place and size and the frame's extents.
  read -r dx dy < <(xwininfo -stats -wm -id "$(find_window "$MENU")" | awk -F': *|, *' '
    /Absolute upper-left X/ {x = $2} /Absolute upper-left Y/ {y = $2} /Width/ {w = $2} /Height/ {h = $2}
    /Frame extents/ {l = $2; r = $3; t = $4; b = $5} END {print 2 * x + w - l + r - 1024, 2 * y + h - t + b - 768}')
  [ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ] || fail "the menu's frame is off the centre by ($dx, $dy) / 2"
fi
refuses_close "$MENU"
click_to "$MENU" "${RULES_BUTTON[@]}" "$RULES"
refuses_close "$RULES"
click_to "$RULES" "${BACK_BUTTON[@]}" "$MENU"
click_to "$MENU" "${ABOUT_BUTTON[@]}" "$ABOUT"
key_in "$ABOUT" Escape
replaced "$ABOUT" "$MENU"

click_to "$MENU" "${PLAY_BUTTON[@]}" "$GAME"
[ "$SESSION" != openbox ] || xprop -id "$(find_window "$GAME")" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN ||
  fail "the game did not ask the window manager for the full-screen state that keeps every panel under it"
refuses_close "$GAME"
xdotool mousemove --sync 900 "$POINTER_Y" # right of the arena, where the pointer must not show
sleep 0.5
xdotool click 1
xtools arena "$shots/arena.ppm" "$PADDLE_Y"
WAIT=180 answer "$RESULT_BOX" Return # nobody plays the right paddle, so the rally ends soon
answer "$TALLY_BOX" Return
key_in "$GAME" p
answer "Lame, do computers pause?" Return
key_in "$GAME" s
answer "$SPEED_BOX" 5 0 Return
back_to_menu
press_quit
echo "PASS: menu, rules, about, close requests, Play, arena, bullet, rally, p, s, q, Quit (status 0)"
