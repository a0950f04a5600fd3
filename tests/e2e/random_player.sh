#!/usr/bin/env bash
# Catches what only a long, rough session of the real program shows: a sanitizer report, a
# crash, a box or window that stops answering, a bad exit status, memory that keeps growing.
# A seeded random player moves and clicks inside and outside the arena, types q, p, s and other
# keys, gives the speed box hostile answers, answers boxes with Return, Escape or Space, goes
# through Rules, About and Play, and sends close requests to whatever is open; at the end it
# goes back to the menu and quits. On a build without sanitizers it also fails when resident
# memory grows more than 5 MB after the first minute.
# Usage: random_player.sh PATH_TO_VANTREL [SECONDS] [SEED]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
seconds=${2:-120}
seed=${3:-$(date +%s)}
source "$here/xsession.sh"
unset QT_QPA_PLATFORM
echo "random player: seed $seed, $seconds s (replay: $0 $program $seconds $seed)"
RANDOM=$seed

# Memory is judged after the first minute, once the program has built every screen and font.
settle_seconds=60
allowed_growth_kb=5120
# Tries at one box before it counts as stuck.
stuck_tries=20
speed_answers=("" "abc" "-7" "0.9" "12.5e1" "1E-400" "1e400" "&HFFFFFFFFFFFF" "&O777" "1 5" "+.e")
other_keys=(x Q P S a space Return Escape Tab 1)

LOG=$(mktemp)
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
export LSAN_OPTIONS="suppressions=$here/../lsan.supp:print_suppressions=0"
start_x
trap 'stop_x; rm -f "$LOG"' EXIT
start_program "$program"

actions=0 rallies=0 boxes=0 stuck=0 last_box=
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
pick() { local -n list=$1; printf '%s' "${list[RANDOM % ${#list[@]}]}"; }
close_request() { python3 "$here/xtools.py" close "$1" 1; }
died() { echo "--- the program's output:" >&2; tail -n 40 "$LOG" >&2; fail "$1"; }

# The window that takes input, as "kind id title": the newest box if any is open (a rally's
# boxes can open over the speed box, which then waits under them), else the visible screen.
top_window() {
  local id title box= screen=
  # Listed from the bottom of the stack to its top.
  for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    title=$(xdotool getwindowname "$id" 2>/dev/null) || continue
    case $title in
      "$RESULT_BOX" | "$TALLY_BOX" | "$QUIT_BOX" | "$PAUSE_BOX" | "$SPEED_BOX" | "$NO_SYSINFO_BOX")
        box="box $id $title" ;;
      "$GAME") screen="game $id" ;;
      "$RULES") screen="rules $id" ;;
      "$ABOUT") screen="about $id" ;;
      "$MENU") [ -z "$screen" ] && screen="menu $id" ;;
    esac
  done
  echo "${box:-${screen:-none}}"
}

answer_box() {
  local id=$1 title=$2
  if [ "$id" = "$last_box" ]; then
    stuck=$((stuck + 1))
    [ $stuck -lt $stuck_tries ] || died "the box '$title' does not close"
  else
    stuck=0 last_box=$id boxes=$((boxes + 1))
    [ "$title" = "$RESULT_BOX" ] && rallies=$((rallies + 1))
  fi
  local answer
  answer=$(pick speed_answers)
  [ "$title" = "$SPEED_BOX" ] && [ -n "$answer" ] && xdotool type --window "$id" -- "$answer"
  key_in "$id" "$(pick box_keys)"
}
box_keys=(Return Escape space)

play_one() {
  read -r kind id title < <(top_window)
  case $kind in
    box) answer_box "$id" "$title" ;;
    menu)
      case $((RANDOM % 10)) in
        0 | 1 | 2 | 3 | 4) click_in "$id" "${PLAY_BUTTON[@]}" ;;
        5 | 6) click_in "$id" "${RULES_BUTTON[@]}" ;;
        7 | 8) click_in "$id" "${ABOUT_BUTTON[@]}" ;;
        9) close_request "$id" ;;
      esac ;;
    rules)
      case $((RANDOM % 4)) in
        0 | 1) click_in "$id" "${BACK_BUTTON[@]}" ;;
        2) close_request "$id" ;;
        3) key_in "$id" "$(pick other_keys)" ;;
      esac ;;
    about)
      case $((RANDOM % 4)) in
        0 | 1) key_in "$id" "$(pick box_keys)" ;;
        2) close_request "$id" ;;
        3) key_in "$id" Tab ;;
      esac ;;
    game)
      case $((RANDOM % 40)) in
        [0-9]) xdotool mousemove --window "$id" $((RANDOM % 800)) $((RANDOM % 600)) ;;
        1[0-1]) xdotool mousemove --window "$id" $((RANDOM % 1024)) $((RANDOM % 768)) ;;
        1[2-9]) click_in "$id" $((RANDOM % 800)) $((RANDOM % 700)) ;;
        20 | 21) key_in "$id" p ;;
        22 | 23) key_in "$id" s ;;
        24) key_in "$id" q ;;
        2[5-7]) key_in "$id" "$(pick other_keys)" ;;
        28) close_request "$id" ;;
        *) sleep 0.1 ;;
      esac ;;
    *) sleep 0.1 ;;
  esac
  actions=$((actions + 1))
}

start=$SECONDS
settled_rss=
lost_since=$SECONDS
while [ $((SECONDS - start)) -lt "$seconds" ]; do
  kill -0 "$APP_PID" 2>/dev/null || died "the program died"
  # A window may go between a look and the action on it: that action is lost, nothing more.
  play_one || true
  [ "$(top_window)" = none ] || lost_since=$SECONDS
  [ $((SECONDS - lost_since)) -lt 10 ] || died "no window of the program for 10 s"
  [ -z "$settled_rss" ] && [ $((SECONDS - start)) -ge $settle_seconds ] && settled_rss=$(rss_kb)
done

# Back to the menu: answer what is open, leave the screen that is shown.
for _ in $(seq 50); do
  read -r kind id title < <(top_window)
  case $kind in
    box) key_in "$id" Return ;;
    game) GAME_ID=$id; key_in "$id" q ;;
    rules) click_in "$id" "${BACK_BUTTON[@]}" ;;
    about) key_in "$id" Escape ;;
    menu) MENU_ID=$id; break ;;
  esac
  sleep 0.2
done
[ "$kind" = menu ] || died "could not get back to the menu"
end_rss=$(rss_kb)
press_quit || died "Quit did not end the program with status 0"
if grep -E -q 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$LOG"; then
  died "a sanitizer reported a fault"
fi
echo "$actions actions, $rallies rallies, $boxes boxes; resident memory ${settled_rss:-?} kB after ${settle_seconds} s, $end_rss kB at the end"
if ! ldd "$program" | grep -q libasan && [ -n "$settled_rss" ] && [ $((end_rss - settled_rss)) -gt $allowed_growth_kb ]; then
  fail "resident memory grew by $((end_rss - settled_rss)) kB after the first minute"
fi
echo "PASS: random player, seed $seed"
