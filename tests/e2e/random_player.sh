#!/usr/bin/env bash
# Catches what only a long, rough session shows: a sanitizer report, a death, a box or window that stops
# answering, a bad exit, memory that keeps growing.
# Usage: random_player.sh PATH_TO_VANTREL [SECONDS] [SEED]
set -euo pipefail
program=$1 seconds=${2:-120} seed=${3:-$(date +%s)}
source "$(dirname "$0")/../../scripts/xsession.sh"
echo "random player: seed $seed, $seconds s (replay: $0 $program $seconds $seed)"
RANDOM=$seed
export LSAN_OPTIONS="suppressions=$(dirname "$0")/../lsan.supp:print_suppressions=0"
trap '[ $? = 0 ] || tail -n 40 "${SESSION_DIR:-}/log" >&2 2>/dev/null || true; stop_x' EXIT
start_x
start_program "$program"
actions=0 rallies=0 boxes=0 last_box='' start=$SECONDS lost_since=$SECONDS settled_rss=''
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
pick() { shift $((RANDOM % $#)); printf '%s' "$1"; } # one of its arguments, as the seed picks

# One action, chosen by $1 from 0 to 99, on the window that takes input: the newest, on top (a rally's
# boxes open over the speed box). Action 0 leads towards the menu. Sets id and title.
play_one() {
  id=$(xdotool search --onlyvisible --name . | tail -n1) && title=$(xdotool getwindowname "$id") || return
  lost_since=$SECONDS
  case $title:$1 in
    "$MENU":0) ;; # there already
    "$GAME":0) key_in "$title" q ;;
    *:1) xtools close "$id" 1 ;;
    "$RULES":[0-9]) click_in "$title" "${BACK_BUTTON[@]}" ;;
    "$ABOUT":[0-9]) key_in "$title" Escape ;;
    "$MENU":[2-6]?) click_in "$title" "${PLAY_BUTTON[@]}" ;;
    "$MENU":[7-8]?) click_in "$title" "${RULES_BUTTON[@]}" ;;
    "$MENU":*) click_in "$title" "${ABOUT_BUTTON[@]}" ;;
    "$GAME":[2-6]?) xdotool mousemove $((RANDOM % 1024)) $((RANDOM % 768)) ;; # in and out of the arena
    "$GAME":[7-8]?) click_in "$title" $((RANDOM % 800)) $((RANDOM % 600)) ;;
    "$GAME":* | "$RULES":* | "$ABOUT":*) key_in "$title" "$(pick p s Q x Tab Return Escape space)" ;;
    *) # a box: counted the first time it is on top, failed when it stays there 30 s
      if [ "$id" != "$last_box" ]; then
        last_box=$id box_since=$SECONDS boxes=$((boxes + 1))
        [ "$title" != "$RESULT_BOX" ] || rallies=$((rallies + 1))
      fi
      [ $((SECONDS - box_since)) -lt 30 ] || fail "the box '$title' does not close"
      [ "$title" != "$SPEED_BOX" ] || xdotool type --window "$id" -- "$(pick '' abc -7 1e400 '&HFFFFFFFFFFFF')"
      key_in "$title" "$(pick Return Escape space)" ;;
  esac
}

while [ $((SECONDS - start)) -lt "$seconds" ]; do
  kill -0 "$APP_PID" 2>/dev/null || fail "the program died"
  play_one $((RANDOM % 100)) || true # a window may go between the look and the action
  actions=$((actions + 1))
  [ $((SECONDS - lost_since)) -lt 30 ] || fail "no window of the program for 30 s"
  [ -n "$settled_rss" ] || [ $((SECONDS - start)) -lt 60 ] || settled_rss=$(rss_kb)
done
wait_until eval 'play_one 0 && [ "$title" = "$MENU" ]'
end_rss=$(rss_kb)
press_quit
echo "$actions actions, $rallies rallies, $boxes boxes; memory ${settled_rss:-?} kB after 60 s, $end_rss kB at the end"
grep -q libasan <(ldd "$program") || [ $((end_rss - ${settled_rss:-$end_rss})) -le 5120 ] ||
  fail "resident memory grew by more than 5 MB after the first minute"
echo "PASS: random player, seed $seed"
