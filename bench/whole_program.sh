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
cycles=50

start_x
trap 'set +e; kill ${DISMISS_PID:-} 2>/dev/null; stop_x' EXIT

rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$APP_PID/stat"; }
now() { date +%s.%N; }

start=$(now)
"$program" &
APP_PID=$!
until [ -n "$(find_window "$MENU")" ]; do sleep 0.005; done
mapped=$(now)
MENU_ID=$(find_window "$MENU")
printf 'start to menu mapped:      %6.0f ms\n' "$(echo "($mapped - $start) * 1000" | bc -l)"

press_play
xdotool mousemove --window "$GAME_ID" 400 "$POINTER_Y"
# Answers the boxes of rally ends as they come, as a player pressing Enter would.
while true; do answer_rally_boxes; sleep 0.2; done &
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

back_to_menu
first=$(rss_kb)
for _ in $(seq 2 "$cycles"); do
  press_play
  sleep 0.1
  back_to_menu
done
last=$(rss_kb)
printf 'resident memory, Play/q:  %6.1f MB after cycle 1, %6.1f MB after cycle %d (%+.1f MB)\n' \
  "$(echo "$first / 1024" | bc -l)" "$(echo "$last / 1024" | bc -l)" "$cycles" "$(echo "($last - $first) / 1024" | bc -l)"
press_quit
