#!/usr/bin/env bash
# The whole program in a real X server (Xvfb): time from start to the menu being mapped,
# resident memory and CPU time while playing at 64 ticks a second, and resident memory
# after 50 cycles of Play and "q".
# Usage: whole_program.sh PATH_TO_VANTREL [SECONDS_OF_PLAY]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/e2e/xsession.sh"
unset QT_QPA_PLATFORM
program=$1
play_seconds=${2:-12}

start_x
trap 'set +e; kill ${APP_PID:-} ${DISMISS_PID:-} 2>/dev/null; stop_x' EXIT

rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$APP_PID/stat"; }
now() { date +%s.%N; }

start=$(now)
"$program" &
APP_PID=$!
until xdotool search --onlyvisible --name '^=>Vantrel<=$' >/dev/null 2>&1; do sleep 0.005; done
mapped=$(now)
menu=$(wait_window "=>Vantrel<=")
printf 'start to menu mapped:      %6.0f ms\n' "$(echo "($mapped - $start) * 1000" | bc -l)"

# Answers the boxes of rally ends as they come, as a player pressing Enter would.
dismiss_boxes() {
  while true; do
    for title in "I missed it..." "I'm gonna crush you..."; do
      id=$(xdotool search --onlyvisible --name "$(title_pattern "$title")" 2>/dev/null | head -n1 || true)
      [ -n "$id" ] && key_in "$id" Return
    done
    sleep 0.2
  done
}

click_in "$menu" 113 57
game=$(wait_window "=> VANTREL <=")
xdotool mousemove --window "$game" 400 338
dismiss_boxes &
DISMISS_PID=$!
sleep 2
hz=$(getconf CLK_TCK)
t0=$(now); c0=$(cpu_ticks)
sleep "$play_seconds"
t1=$(now); c1=$(cpu_ticks)
printf 'resident memory, playing: %6.1f MB\n' "$(echo "$(rss_kb) / 1024" | bc -l)"
printf 'CPU while playing:        %6.2f %% of one core (%s s of play)\n' \
  "$(echo "100 * ($c1 - $c0) / $hz / ($t1 - $t0)" | bc -l)" "$play_seconds"
kill "$DISMISS_PID" 2>/dev/null || true; wait "$DISMISS_PID" 2>/dev/null || true; DISMISS_PID=

# A box of a rally end may be open: answer it before leaving the game.
leave_game() {
  local id
  for _ in 1 2 3; do
    for title in "I missed it..." "I'm gonna crush you..."; do
      id=$(xdotool search --onlyvisible --name "$(title_pattern "$title")" 2>/dev/null | head -n1 || true)
      [ -n "$id" ] && key_in "$id" Return && sleep 0.1
    done
  done
  key_in "$game" q
  local bye
  bye=$(wait_window "Good Game...loser..." 10)
  key_in "$bye" Return
  wait_window "=>Vantrel<=" 10 >/dev/null
}

leave_game
first=$(rss_kb)
for cycle in $(seq 2 50); do
  menu=$(wait_window "=>Vantrel<=")
  click_in "$menu" 113 57
  game=$(wait_window "=> VANTREL <=")
  sleep 0.1
  leave_game
done
last=$(rss_kb)
printf 'resident memory, Play/q:  %6.1f MB after cycle 1, %6.1f MB after cycle 50 (%+.1f MB)\n' \
  "$(echo "$first / 1024" | bc -l)" "$(echo "$last / 1024" | bc -l)" "$(echo "($last - $first) / 1024" | bc -l)"

menu=$(wait_window "=>Vantrel<=")
click_in "$menu" 113 217
wait "$APP_PID"
APP_PID=
