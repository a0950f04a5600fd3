#!/usr/bin/env bash
# Catches what only a long, rough session shows: a sanitizer report, a death, a box or window that stops answering, a bad exit, memory that keeps growing.
# Usage: random_player.sh PATH_TO_VANTREL [SECONDS] [SEED]
set -euo pipefail
program=$1 seconds=${2:-120} seed=${3:-$(date +%s)}
source "$(dirname "$0")/xsession.sh"
echo "random player: seed $seed, $seconds s (replay: $0 $program $seconds $seed)"
RANDOM=$seed
settle_seconds=60 allowed_growth_kb=5120
speed_answers=("" "abc" "-7" "0.9" "12.5e1" "1E-400" "1e400" "&HFFFFFFFFFFFF" "&O777" "1 5" "+.e")
other_keys=(x Q P S a space Return Escape Tab 1)
box_keys=(Return Escape space)

export LSAN_OPTIONS="suppressions=$(dirname "$0")/../lsan.supp:print_suppressions=0"
start_x
LOG=$SESSION_DIR/log
trap 'status=$?; [ $status = 0 ] || tail -n 40 "$LOG" >&2; stop_x' EXIT
start_program "$program"

actions=0 rallies=0 boxes=0 last_box='' box_since='' settled_rss=''
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
pick() { local -n list=$1; printf '%s' "${list[RANDOM % ${#list[@]}]}"; }

# The window that takes input, "kind id title": the newest, on top (a rally's boxes open over the speed box).
top_window() {
  local id title kind=box
  id=$(xdotool search --onlyvisible --name . | tail -n1) && title=$(xdotool getwindowname "$id") || { echo none; return; }
  case $title in "$GAME") kind=game ;; "$RULES") kind=rules ;; "$ABOUT") kind=about ;; "$MENU") kind=menu ;; esac
  echo "$kind $id $title"
} 2>/dev/null

# Counts a box the first time it is on top, and fails when one stays there for 10 s.
answer_box() {
  if [ "$1" != "$last_box" ]; then
    last_box=$1 box_since=$SECONDS boxes=$((boxes + 1))
    [ "$2" != "$RESULT_BOX" ] || rallies=$((rallies + 1))
  fi
  [ $((SECONDS - box_since)) -lt 10 ] || fail "the box '$2' does not close"
  [ "$2" != "$SPEED_BOX" ] || xdotool type --window "$1" -- "$(pick speed_answers)"
  key_in "$2" "$(pick box_keys)"
}

# One action on the window that takes input, chosen by $1 from 0 to 39; 0 steps back to the menu.
play_one() {
  local kind id title
  read -r kind id title < <(top_window)
  case $kind:$1 in
    box:*) answer_box "$id" "$title" ;;
    menu:0) ;; # there already
    menu:[1-9] | menu:1[0-9]) click_in "$title" "${PLAY_BUTTON[@]}" ;;
    menu:2[0-9]) click_in "$title" "${RULES_BUTTON[@]}" ;;
    menu:3[0-5]) click_in "$title" "${ABOUT_BUTTON[@]}" ;;
    rules:[0-9] | rules:1[0-9]) click_in "$title" "${BACK_BUTTON[@]}" ;;
    rules:2* | about:2*) key_in "$title" "$(pick other_keys)" ;;
    about:[0-9] | about:1[0-9]) key_in "$title" "$(pick box_keys)" ;;
    game:0) key_in "$title" q ;;
    game:[1-9] | game:24) xdotool mousemove --window "$id" $((RANDOM % 800)) $((RANDOM % 600)) ;;
    game:1[0-1]) xdotool mousemove --window "$id" $((RANDOM % 1024)) $((RANDOM % 768)) ;;
    game:1[2-9]) click_in "$title" $((RANDOM % 800)) $((RANDOM % 700)) ;;
    game:2[0-1]) key_in "$title" p ;;
    game:2[2-3]) key_in "$title" s ;;
    game:2[5-7]) key_in "$title" "$(pick other_keys)" ;;
    menu:3* | rules:3* | about:3* | game:28) xtools close "$id" 1 ;;
    *) sleep 0.1 ;;
  esac
}

# The way out is through the menu.
at_menu() {
  play_one 0 || true
  sleep 0.2
  read -r kind MENU_ID _ < <(top_window)
  [ "$kind" = menu ]
}

start=$SECONDS lost_since=$SECONDS
while [ $((SECONDS - start)) -lt "$seconds" ]; do
  kill -0 "$APP_PID" 2>/dev/null || fail "the program died"
  play_one $((RANDOM % 40)) || true # a window may go between the look and the action
  actions=$((actions + 1))
  [ "$(top_window)" = none ] || lost_since=$SECONDS
  [ $((SECONDS - lost_since)) -lt 10 ] || fail "no window of the program for 10 s"
  [ -n "$settled_rss" ] || [ $((SECONDS - start)) -lt $settle_seconds ] || settled_rss=$(rss_kb)
done

WAIT=10 wait_until at_menu
end_rss=$(rss_kb)
press_quit
! grep -E 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$LOG" || fail "a sanitizer reported a fault"
echo "$actions actions, $rallies rallies, $boxes boxes; resident memory ${settled_rss:-?} kB after ${settle_seconds} s, $end_rss kB at the end"
if ! ldd "$program" | grep -q libasan && [ -n "$settled_rss" ] && [ $((end_rss - settled_rss)) -gt $allowed_growth_kb ]; then
  fail "resident memory grew by $((end_rss - settled_rss)) kB after the first minute"
fi
echo "PASS: random player, seed $seed"
