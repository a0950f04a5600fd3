#!/usr/bin/env bash
# Plays the real program in a real X server: menu, Play, the arena on screen, a rally to its
# end with both boxes, "q" back to the menu, Quit with status 0.
# Usage: e2e_game.sh PATH_TO_VANTREL [SCREENSHOT_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
shots=${2:-$(mktemp -d)}
mkdir -p "$shots"
source "$here/xsession.sh"
unset QT_QPA_PLATFORM

start_x
trap 'set +e; [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null; stop_x' EXIT

start_and_play "$program"
read -r gw gh < <(xdotool getwindowgeometry "$game" | awk '/Geometry/ {split($2, s, "x"); print s[1], s[2]}')
[ "$gw" = 1024 ] && [ "$gh" = 768 ] || fail "game screen is ${gw}x${gh}, not the whole 1024x768 screen"

# The pointer at row 338 puts the player's paddle top at 300.
xdotool mousemove --window "$game" 400 338
sleep 0.5
import -window root "$shots/rally.png"
convert "$shots/rally.png" "$shots/rally.ppm"
python3 "$here/check_frame.py" "$shots/rally.ppm" 300 || fail "the arena is not drawn as it should be"

# A click fires from the middle of the paddle, row 337; the bullet flies left 15 a tick from
# x = 765. The computer fires within the rally too.
click_in "$game" 400 338
player_seen=; enemy_seen=
for shot in $(seq 150); do
  import -window root "$shots/bullets.png"
  convert "$shots/bullets.png" "$shots/bullets.ppm"
  found=$(python3 "$here/find_bullets.py" "$shots/bullets.ppm" 337)
  grep -q '^player' <<<"$found" && player_seen=yes
  grep -q '^enemy' <<<"$found" && enemy_seen=yes
  [ -n "$player_seen" ] && [ -n "$enemy_seen" ] && break
  [ -z "$player_seen" ] && [ "$shot" -ge 3 ] && fail "no bullet of the player's after a click"
  xdotool search --onlyvisible --name '^I missed it\.\.\.$' >/dev/null 2>&1 && break
  sleep 0.1
done
[ -n "$player_seen" ] || fail "no bullet of the player's after a click"
[ -n "$enemy_seen" ] || fail "the computer did not fire in the first rally"
echo "a click fired a bullet and the computer fired"

# Nobody plays the right paddle, so a rally ends within a minute or two.
result=$(wait_window "I missed it..." 180) || fail "no rally ended"
echo "a rally ended"
key_in "$result" Return
tally=$(wait_window "I'm gonna crush you..." 10) || fail "no tally after the result"
key_in "$tally" Return
wait_gone "I'm gonna crush you..." || fail "the tally box did not close"

menu=$(press_q_back_to_menu "$game")
echo "back on the menu"
press_quit "$menu"
echo "PASS: menu, Play, arena, rally end, q, Quit (status 0)"
