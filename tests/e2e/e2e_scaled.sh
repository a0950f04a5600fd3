#!/usr/bin/env bash
# Catches an arena cut off or misplaced on a screen scaled too far for it, and a paddle that does not go where the
# pointer does: bare X at 1024 x 768 with Qt's scale at 200 %, 512 x 384 logical pixels, where the arena must be
# drawn in device pixels.
# Usage: e2e_scaled.sh PATH_TO_VANTREL [SCREENSHOT_DIR]
set -euo pipefail
source "$(dirname "$0")/../../scripts/xsession.sh"
trap stop_x EXIT
start_x bare
shots=${2:-$SESSION_DIR} && mkdir -p "$shots"
export QT_SCALE_FACTOR=2

# The arena with the pointer on screen row $1 must show the player's paddle from row $2: one device pixel to each
# arena pixel, so arena rows are screen rows.
paddle_follows() {
  xdotool mousemove --sync 900 "$1"
  WAIT=30 wait_until xtools scaled "$shots/scaled.ppm" "$2"
}

start_program "$1"
click_to "$MENU" "${PLAY_BUTTON[@]}" "$GAME"
# 5 ticks a second: the walls stand while the screenshots are taken, even on a loaded machine.
game_box s "$SPEED_BOX" 2 0 0 Return
paddle_follows "$POINTER_Y" "$PADDLE_Y"
paddle_follows 0 0        # the highest place
paddle_follows 767 525    # and the lowest: the pointer 38 rows below the paddle's top, clamped
back_to_menu
press_quit
echo "PASS: at 200 % on 1024 x 768, the whole arena in device pixels; the paddle from its highest place to its lowest; q, menu, Quit"
