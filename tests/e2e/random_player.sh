#!/usr/bin/env bash
# Catches what only a long, rough session of the real program shows: a sanitizer report, a
# death, a box or window that stops answering, a bad exit status, memory that keeps growing
# (checked on a build without sanitizers: more than 5 MB after the first minute fails).
# Usage: random_player.sh PATH_TO_VANTREL [SECONDS] [SEED]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1 seconds=${2:-120} seed=${3:-$(date +%s)}
source "$here/xsession.sh"
unset QT_QPA_PLATFORM
echo "random player: seed $seed, $seconds s (replay: $0 $program $seconds $seed)"
RANDOM=$seed
settle_seconds=60 allowed_growth_kb=5120 stuck_tries=20
speed_answers=("" "abc" "-7" "0.9" "12.5e1" "1E-400" "1e400" "&HFFFFFFFFFFFF" "&O777" "1 5" "+.e")
other_keys=(x Q P S a space Return Escape Tab 1)
box_keys=(Return Escape space)
# The about screen's System Info button, where the desktop has no system-information program.
NO_SYSINFO_BOX="Vantrel"

LOG=$(mktemp)
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
export LSAN_OPTIONS="suppressions=$here/../lsan.supp:print_suppressions=0"
start_x
trap 'status=$?; [ $status = 0 ] || tail -n 40 "$LOG" >&2; stop_x; rm -f "$LOG"' EXIT
start_program "$program"

actions=0 rallies=0 boxes=0 stuck=0 last_box= settled_rss=
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
pick() { local -n list=$1; printf '%s' "${list[RANDOM % ${#list[@]}]}"; }
close_request() { python3 "$here/xtools.py" close "$1" 1; }

# The window that takes input, "kind id title": the newest box if one is open (a rally's boxes
# open over the speed box, which waits under them), else the screen shown.
top_window() {
  local id title box= screen=
  for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do # bottom of the stack first
    title=$(xdotool getwindowname "$id" 2>/dev/null) || continue
    case $title in
      "$RESULT_BOX" | "$TALLY_BOX" | "$QUIT_BOX" | "$PAUSE_BOX" | "$SPEED_BOX" | "$NO_SYSINFO_BOX") box="box $id $title" ;;
      "$GAME") screen="game $id" ;; "$RULES") screen="rules $id" ;; "$ABOUT") screen="about $id" ;;
      "$MENU") [ -n "$screen" ] || screen="menu $id" ;;
    esac
  done
  echo "${box:-${screen:-none}}"
}

answer_box() {
  if [ "$1" = "$last_box" ]; then
    stuck=$((stuck + 1))
    [ $stuck -lt $stuck_tries ] || fail "the box '$2' does not close"
  else
    stuck=0 last_box=$1 boxes=$((boxes + 1))
    [ "$2" != "$RESULT_BOX" ] || rallies=$((rallies + 1))
  fi
  local answer
  answer=$(pick speed_answers)
  [ "$2" != "$SPEED_BOX" ] || [ -z "$answer" ] || xdotool type --window "$1" -- "$answer"
  key_in "$1" "$(pick box_keys)"
}

play_one() {
  local kind id title
  read -r kind id title < <(top_window)
  case $kind:$((RANDOM % 40)) in
    box:*) answer_box "$id" "$title" ;;
    menu:[0-9] | menu:1[0-9]) click_in "$id" "${PLAY_BUTTON[@]}" ;;
    menu:2[0-9]) click_in "$id" "${RULES_BUTTON[@]}" ;;
    menu:3[0-5]) click_in "$id" "${ABOUT_BUTTON[@]}" ;;
    rules:[0-9] | rules:1[0-9]) click_in "$id" "${BACK_BUTTON[@]}" ;;
    rules:2* | about:2*) key_in "$id" "$(pick other_keys)" ;;
    about:[0-9] | about:1[0-9]) key_in "$id" "$(pick box_keys)" ;;
    game:[0-9]) xdotool mousemove --window "$id" $((RANDOM % 800)) $((RANDOM % 600)) ;;
    game:1[0-1]) xdotool mousemove --window "$id" $((RANDOM % 1024)) $((RANDOM % 768)) ;;
    game:1[2-9]) click_in "$id" $((RANDOM % 800)) $((RANDOM % 700)) ;;
    game:2[0-1]) key_in "$id" p ;;
    game:2[2-3]) key_in "$id" s ;;
    game:24) key_in "$id" q ;;
    game:2[5-7]) key_in "$id" "$(pick other_keys)" ;;
    menu:3* | rules:3* | about:3* | game:28) close_request "$id" ;;
    *) sleep 0.1 ;;
  esac
}

start=$SECONDS lost_since=$SECONDS
while [ $((SECONDS - start)) -lt "$seconds" ]; do
  kill -0 "$APP_PID" 2>/dev/null || fail "the program died"
  # A window may go between a look and the action on it: that action is lost, nothing more.
  play_one || true
  actions=$((actions + 1))
  [ "$(top_window)" = none ] || lost_since=$SECONDS
  [ $((SECONDS - lost_since)) -lt 10 ] || fail "no window of the program for 10 s"
  [ -n "$settled_rss" ] || [ $((SECONDS - start)) -lt $settle_seconds ] || settled_rss=$(rss_kb)
done

for _ in $(seq 50); do # back to the menu
  read -r kind id title < <(top_window)
  case $kind in
    box) key_in "$id" Return ;; game) key_in "$id" q ;; rules) click_in "$id" "${BACK_BUTTON[@]}" ;;
    about) key_in "$id" Escape ;; menu) MENU_ID=$id && break ;;
  esac
  sleep 0.2
done
[ "$kind" = menu ] || fail "could not get back to the menu"
end_rss=$(rss_kb)
press_quit
! grep -E -q 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$LOG" || fail "a sanitizer reported a fault"
echo "$actions actions, $rallies rallies, $boxes boxes; resident memory ${settled_rss:-?} kB after ${settle_seconds} s, $end_rss kB at the end"
if ! ldd "$program" | grep -q libasan && [ -n "$settled_rss" ] && [ $((end_rss - settled_rss)) -gt $allowed_growth_kb ]; then
  fail "resident memory grew by $((end_rss - settled_rss)) kB after the first minute"
fi
echo "PASS: random player, seed $seed"
