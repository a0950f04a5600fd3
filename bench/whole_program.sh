#!/usr/bin/env bash
# The whole program in a real X server (Xvfb): time from start to the menu being mapped;
# while playing at 64 ticks a second, resident memory, the CPU time of the program and of the
# X server, the context switches of all the program's threads per tick, and which threads ran;
# resident memory after 50 cycles of Play and "q".
# Usage: whole_program.sh PATH_TO_VANTREL [SECONDS_OF_PLAY]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/xsession.sh"
unset QT_QPA_PLATFORM
program=$1
play_seconds=${2:-12}
cycles=50

trap stop_x EXIT
start_x

rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
now() { date +%s.%N; }
# One line per thread of process $1: id, name, CPU time so far in ns, voluntary and
# nonvoluntary context switches so far. The scheduler's own CPU count, exact where the
# clock-tick count in /proc/PID/stat would only sample a process this quiet. A thread that
# ends in between vanishes from the list, so the threads are listed with the figures.
threads() {
  local task
  for task in /proc/"$1"/task/*; do
    printf '%s %s %s %s\n' "${task##*/}" "$(tr ' ' _ <"$task/comm")" "$(cut -d' ' -f1 "$task/schedstat")" \
      "$(awk '/^voluntary_ctxt/ {v = $2} /^nonvoluntary_ctxt/ {n = $2} END {print v, n}' "$task/status")"
  done 2>/dev/null || true
}

start=$(now)
"$program" &
APP_PID=$!
until [ -n "$(find_window "$MENU")" ]; do sleep 0.005; done
mapped=$(now)
printf 'start to menu mapped:      %6.0f ms\n' "$(echo "($mapped - $start) * 1000" | bc -l)"

click_to "$MENU" "${PLAY_BUTTON[@]}" "$GAME"
xdotool mousemove 400 "$POINTER_Y"
# Answers the boxes of rally ends as they come, as a player pressing Enter would, until its flag goes. It
# finishes the boxes it began: a tally box left open would take the "q" below.
dismissing=$SESSION_DIR/dismissing
touch "$dismissing"
while [ -e "$dismissing" ]; do answer_rally_boxes; sleep 0.2; done &
dismisser=$!
sleep 2
ticks_per_second=64 # the game's rate at its starting speed; per-tick figures divide by it
before=$(threads "$APP_PID"); x_before=$(threads "$XVFB_PID"); t0=$(now)
sleep "$play_seconds"
after=$(threads "$APP_PID"); x_after=$(threads "$XVFB_PID"); t1=$(now)
printf 'resident memory, playing: %6.1f MB\n' "$(echo "$(rss_kb) / 1024" | bc -l)"
# Figures over the play: the share of one core, switches per tick, and each thread that ran.
# Nonvoluntary switches are the thread's time slice taken by another program: on a busy
# machine they count what else runs, so they are shown apart as well as in the total.
awk -v seconds="$(echo "$t1 - $t0" | bc -l)" -v rate="$ticks_per_second" -v play="$play_seconds" '
  FNR == 1 { file++ }
  file == 1 { cpu[$1] = $3; voluntary[$1] = $4; taken[$1] = $5; next }
  file == 2 { xcpu -= $3; next }
  file == 3 { xcpu += $3; next }
  {
    c = $3 - cpu[$1]; v = $4 - voluntary[$1]; n = $5 - taken[$1]
    total_c += c; total_v += v; total_n += n
    if (c > 0 || v + n > 0) ran = ran sprintf("\n  %-18s %8.1f ms CPU %7d switches", $2, c / 1e6, v + n)
  }
  END {
    ticks = seconds * rate
    printf "CPU while playing:        %6.2f %% of one core (%s s of play)\n", 100 * total_c / 1e9 / seconds, play
    printf "X server while playing:   %6.2f %% of one core\n", 100 * xcpu / 1e9 / seconds
    printf "context switches:         %6.2f per tick at %d ticks a second, all threads (%.2f voluntary, %.2f not)\n", \
      (total_v + total_n) / ticks, rate, total_v / ticks, total_n / ticks
    printf "threads that ran:%s\n", ran
  }' <(echo "$before") <(echo "$x_before") <(echo "$x_after") <(echo "$after")
rm "$dismissing" && wait "$dismisser"

back_to_menu
first=$(rss_kb)
for _ in $(seq 2 "$cycles"); do
  click_to "$MENU" "${PLAY_BUTTON[@]}" "$GAME"
  sleep 0.1
  back_to_menu
done
last=$(rss_kb)
printf 'resident memory, Play/q:  %6.1f MB after cycle 1, %6.1f MB after cycle %d (%+.1f MB)\n' \
  "$(echo "$first / 1024" | bc -l)" "$(echo "$last / 1024" | bc -l)" "$cycles" "$(echo "($last - $first) / 1024" | bc -l)"
press_quit
