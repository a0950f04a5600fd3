#!/usr/bin/env bash
# Catches what only a real desktop shows: screens that do not come, go, refuse to close or lead back, a menu
# off the centre, an arena misplaced or under a panel, a deaf paddle, clicks or keys doing nothing, a bad exit, a setting
# of the program's own handed on to the system-information tool.
# Usage: e2e_game.sh PATH_TO_VANTREL [SCREENSHOT_DIR] [bare|openbox|weston]
set -euo pipefail
source "$(dirname "$0")/../../scripts/xsession.sh"
trap stop_x EXIT
start_x "${3:-bare}"
shots=${2:-$SESSION_DIR} && mkdir -p "$shots"

# Close requests as a window manager sends them; Wayland has none that a test could send.
refuses_close() {
  [ "$SESSION" != weston ] || return 0
  xtools close "$(find_window "$1")" 20
  sleep 0.3
  find_window "$1" >/dev/null || fail "'$1' closed on a close request"
}

# Twice the frame's distance from the centre. The program centres the window again once a window manager frames it.
centred() {
  read -r dx dy < <(xwininfo -stats -wm -id "$(find_window "$MENU")" | awk -F': *|, *' '
    /Absolute upper-left X/ {x = $2} /Absolute upper-left Y/ {y = $2} /Width/ {w = $2} /Height/ {h = $2}
    /Frame extents/ {l = $2; r = $3; t = $4; b = $5} END {print 2 * x + w - l + r - 1024, 2 * y + h - t + b - 768}')
  [ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ]
}

# The arena after a click, the pointer right of it where it must not show, even after a box. The ball may have
# taken the bullet: the test then tries again.
arena_after_click() {
  xdotool mousemove --sync 900 $((POINTER_Y + 1)) mousemove --sync 900 "$POINTER_Y" sleep 0.5 click 1 sleep 0.5
  xtools arena "$shots/arena.ppm" "$PADDLE_Y"
}

# The system-information tool the about screen starts: one that writes down the environment it was given. The
# program paints without X's shared memory, and must not hand that setting on unless the player made it: here on
# openbox, as a player might have in a session that cannot share memory with its X server.
mkdir "$SESSION_DIR/bin"
printf '#!/bin/sh\nenv >"%s/tool.env"\n' "$SESSION_DIR" >"$SESSION_DIR/bin/hardinfo2"
chmod +x "$SESSION_DIR/bin/hardinfo2"
export PATH="$SESSION_DIR/bin:$PATH"
[ "$SESSION" != openbox ] || export QT_XCB_NO_MITSHM=1
start_program "$1"
# Weston places windows itself: Wayland lets no program say where.
[ "$SESSION" = weston ] || within 30 centred || fail "the menu's frame is off the centre by ($dx, $dy) / 2"
refuses_close "$MENU"
click_to "$MENU" "${RULES_BUTTON[@]}" "$RULES"
refuses_close "$RULES"
click_to "$RULES" "${BACK_BUTTON[@]}" "$MENU"
click_to "$MENU" "${ABOUT_BUTTON[@]}" "$ABOUT"
key_in "$ABOUT" alt+s
wait_until [ -s "$SESSION_DIR/tool.env" ]
[ "$(grep -c '^QT_XCB_NO_MITSHM=' "$SESSION_DIR/tool.env")" = "$([ "$SESSION" = openbox ] && echo 1 || echo 0)" ] ||
  fail "the system-information tool got QT_XCB_NO_MITSHM where the player set it only on openbox"
key_in "$ABOUT" Escape
replaced "$ABOUT" "$MENU"

click_to "$MENU" "${PLAY_BUTTON[@]}" "$GAME"
# 5 ticks a second: a bullet flies for 10 s and a rally lasts a minute or more, time enough for a loaded machine.
game_box s "$SPEED_BOX" 2 0 0 Return
[ "$SESSION" != openbox ] || xprop -id "$(find_window "$GAME")" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN ||
  fail "the game did not ask the window manager for the full-screen state that keeps every panel under it"
refuses_close "$GAME"
game_box p "Lame, do computers pause?" Return
WAIT=30 wait_until arena_after_click
game_box s "$SPEED_BOX" 1 Return # full speed again: nobody plays the right paddle, so the rally ends soon
WAIT=180 answer "$RESULT_BOX" Return
answer "$TALLY_BOX" Return
back_to_menu
press_quit
echo "PASS: menu, rules, about, system information, close requests, Play, arena, bullet, rally, p, s, q, Quit (status 0)"
