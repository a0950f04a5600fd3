#!/usr/bin/env bash
# The real program in a real X server against bad files and a rough player:
# - sprite files missing, empty, cut short, of the wrong size, not BMP at all, huge, or a mix:
#   each time the game starts without a message, draws solid black shapes and plays;
# - a hundred window-manager close requests sent to each screen leave the visible screen as it
#   was (the about screen agrees to go and brings the menu back);
# - fifty Play and "q" cycles with keys, clicks, pauses and speed answers in between end on the
#   menu with the program alive, and Quit then ends it with status 0.
# Usage: e2e_hostile.sh PATH_TO_VANTREL [SCREENSHOT_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
work=$(mktemp -d)
shots=${2:-$work/shots}
mkdir -p "$shots"
source "$here/xsession.sh"
unset QT_QPA_PLATFORM

close_storm=100
cycles=50
# Looks, 0.1 s apart, for any other window: about a second, time enough for a box raised by
# Play to be mapped.
quiet_checks=10
# Ticks run at most 64 a second: a few of them move the ball by tens of pixels.
tick_wait=0.3
# The pointer at row 338 puts the player's paddle top at 300.
pointer_y=338
paddle_y=300
# Button middles in pixels: the menu's column at 800 twips, 1810 x 710, tops 500..2900; the
# rules screen's Back at (5100, 4900), 1010 x 510.
play_button=(113 57); rules_button=(113 110); about_button=(113 164); quit_button=(113 217)
back_button=(374 344)
# An empty spot of the menu, between its buttons.
menu_gap=(20 20)
speed_answers=("" "abc" "-7" "0.9" "1E-400" "1e400" "&HFFFFFFFFFFFFFFFFFFFFFFFF" "12abc"
               "1 5" "$(printf '9%.0s' $(seq 60))")

sprites=(PADDLE BALL BULLET WALL)
source_dir=$(dirname "$program")
tried_variants=0; closes_sent=0; keys_sent=0; clicks_sent=0; answers_typed=0

APP_PID=
stop_app() {
  if [ -n "$APP_PID" ]; then
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
  fi
  APP_PID=
}
finish() {
  local status=$?
  set +e # whatever fails here, the X server must still be stopped
  stop_app
  [ "$status" = 0 ] || { echo "--- the program's output:" >&2; tail -n 20 "$work/program.log" >&2 || true; }
  stop_x
  rm -rf "$work"
}
trap finish EXIT
start_x
root_window=$(( $(xwininfo -root | awk '/Window id:/ {print $4}') ))

# Ids of the mapped top-level windows, the root window left out.
visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | grep -vx "$root_window" || true; }

visible_titles() {
  local id
  for id in $(visible_windows); do printf "'%s' " "$(xdotool getwindowname "$id")"; done
}

# Fails unless `id` stays the only visible window for a while.
only_visible() {
  local id=$1 what=$2
  for _ in $(seq "$quiet_checks"); do
    if [ "$(visible_windows)" != "$id" ]; then
      fail "$what: the visible windows became $(visible_titles)"
    fi
    sleep 0.1
  done
}

# wait_window and wait_gone take a title as it reads, but pass "?" on as a pattern: the pause
# box's title ends in one, so it is looked for by this pattern instead.
pause_box='^Lame, do computers pause[?]$'
wait_pause_box() {
  local deadline=$((SECONDS + 10)) id
  while [ $SECONDS -lt $deadline ]; do
    id=$(xdotool search --onlyvisible --name "$pause_box" 2>/dev/null | head -n1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
pause_box_gone() {
  local deadline=$((SECONDS + 10))
  while [ $SECONDS -lt $deadline ]; do
    xdotool search --onlyvisible --name "$pause_box" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

alive() { kill -0 "$APP_PID" 2>/dev/null || fail "$1: the program has ended"; }

# The functions below keep the windows they reach in MENU and GAME, and count what they send.
# Starts the copy of the program in folder $1.
launch() {
  "$1/vantrel" >>"$work/program.log" 2>&1 &
  APP_PID=$!
  MENU=$(wait_window "=>Vantrel<=") || fail "$2: no menu"
}

click() { click_in "$@"; clicks_sent=$((clicks_sent + 1)); }
key() { key_in "$@"; keys_sent=$((keys_sent + 1)); }

shot() { import -window root "$shots/$1.png" && convert "$shots/$1.png" "$shots/$1.ppm"; }

play() {
  click "$MENU" "${play_button[@]}"
  GAME=$(wait_window "=> VANTREL <=") || fail "$1: Play showed no game screen"
  wait_gone "=>Vantrel<=" || fail "$1: the menu stayed visible after Play; visible: $(visible_titles)"
}

# Fails unless the game screen draws the arena with solid black shapes and its ticks move on.
plays_in_black() {
  local game=$1 name=$2
  xdotool mousemove --window "$game" 400 "$pointer_y"
  sleep "$tick_wait"
  shot "$name-1"
  python3 "$here/check_black_frame.py" "$shots/$name-1.ppm" "$paddle_y" >"$work/check.txt" \
    || { cat "$work/check.txt" >&2; fail "$name: the arena is not drawn in solid black"; }
  sleep "$tick_wait"
  shot "$name-2"
  cmp -s "$shots/$name-1.ppm" "$shots/$name-2.ppm" && fail "$name: the frame did not change: no ticks"
  return 0
}

# "q", its box dismissed, back on the menu.
leave_game() {
  local box
  key "$GAME" q
  box=$(wait_window "Good Game...loser..." 10) || fail "$1: q showed no box"
  key "$box" Return
  wait_gone "=> VANTREL <=" || fail "$1: the game screen stayed after q"
  MENU=$(wait_window "=>Vantrel<=" 10) || fail "$1: the menu did not come back after q"
}

quit_program() {
  local status=0
  click "$MENU" "${quit_button[@]}"
  for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$APP_PID" 2>/dev/null && fail "$1: the program is still running after Quit"
  wait "$APP_PID" || status=$?
  APP_PID=
  [ "$status" = 0 ] || fail "$1: the program ended with status $status"
}

# A hundred close requests to window $1, as a window manager sends them from its close button.
storm() {
  local accepted
  accepted=$(python3 "$here/send_close.py" "$1" "$close_storm")
  closes_sent=$((closes_sent + close_storm))
  [ "$accepted" -gt 0 ] || fail "$2: no close request reached the screen"
  sleep 0.3
}

# --- Sprite files -------------------------------------------------------------------------
half() { head -c $(( $(stat -c %s "$1") / 2 )) "$1"; }
# Writes the named variant's four sprite files into the folder $1.
make_sprites() {
  local dir=$1 variant=$2 name
  for name in "${sprites[@]}"; do
    local file=$dir/$name.bmp real=$source_dir/$name.bmp
    case $variant in
      missing) ;;
      empty) : >"$file" ;;
      cut_in_half) half "$real" >"$file" ;;
      cut_in_header) head -c 30 "$real" >"$file" ;;
      too_small) python3 "$here/make_bmp.py" "$file" 1 2 24 ;;
      huge) python3 "$here/make_bmp.py" "$file" 10000 10000 24 ;;
      large_but_allowed) python3 "$here/make_bmp.py" "$file" 4000 4000 24 ;;
      not_bmp)
        case $name in
          PADDLE) convert -size 25x75 xc:black "PNG:$file" ;;
          BALL) convert -size 25x25 xc:black "GIF:$file" ;;
          BULLET) echo "not a picture" >"$file" ;;
          WALL) { printf 'BM'; seq -s, 1 500; } >"$file" ;;
        esac ;;
      mixed)
        case $name in
          PADDLE) ;;
          BALL) : >"$file" ;;
          BULLET) python3 "$here/make_bmp.py" "$file" 10000 10000 24 ;;
          WALL) half "$real" >"$file" ;;
        esac ;;
    esac
  done
}

for variant in missing empty cut_in_half cut_in_header too_small not_bmp huge large_but_allowed mixed; do
  dir=$work/$variant
  mkdir -p "$dir"
  cp "$program" "$dir/vantrel"
  make_sprites "$dir" "$variant"
  launch "$dir" "$variant"
  play "$variant"
  only_visible "$GAME" "$variant"
  plays_in_black "$GAME" "$variant"
  only_visible "$GAME" "$variant"
  leave_game "$variant"
  quit_program "$variant"
  tried_variants=$((tried_variants + 1))
  echo "sprites $variant: started without a message, drawn in black, ticking"
done

# --- Close requests, then Play and "q" cycles, with the game's own sprites ------------------
dir=$work/game
mkdir -p "$dir"
cp "$program" "$dir/vantrel"
for name in "${sprites[@]}"; do cp "$source_dir/$name.bmp" "$dir/"; done
launch "$dir" "close storm"

storm "$MENU" "menu"
alive "menu storm"; only_visible "$MENU" "menu storm"

click "$MENU" "${rules_button[@]}"
screen=$(wait_window "=>Rules<=") || fail "Rules showed no rules screen"
storm "$screen" "rules"
alive "rules storm"; only_visible "$screen" "rules storm"
click "$screen" "${back_button[@]}"
MENU=$(wait_window "=>Vantrel<=") || fail "Back did not bring the menu"

click "$MENU" "${about_button[@]}"
screen=$(wait_window "About Vantrel") || fail "About showed no about screen"
storm "$screen" "about"
alive "about storm"
MENU=$(wait_window "=>Vantrel<=" 5) || fail "the about screen's close did not bring the menu back"
only_visible "$MENU" "about storm"

play "game storm"
xdotool mousemove --window "$GAME" 400 "$pointer_y"
shot storm-before
storm "$GAME" "game"
alive "game storm"; only_visible "$GAME" "game storm"
shot storm-after
cmp -s "$shots/storm-before.ppm" "$shots/storm-after.ppm" && fail "the game stopped ticking in the close storm"
leave_game "game storm"
echo "close requests: $closes_sent sent to the menu, rules, about and game screens"

for cycle in $(seq "$cycles"); do
  what="cycle $cycle"
  click "$MENU" "${menu_gap[@]}"
  play "$what"
  xdotool mousemove --window "$GAME" 400 $(( (cycle * 97) % 768 ))
  click "$GAME" 400 $(( (cycle * 53) % 768 ))
  click "$GAME" 900 700
  key "$GAME" x
  key "$GAME" Q
  key "$GAME" S
  case $(( cycle % 5 )) in
    1)
      key "$GAME" p
      box=$(wait_pause_box) || fail "$what: p showed no box"
      key "$box" Return
      pause_box_gone || fail "$what: the pause box did not close"
      ;;
    3)
      key "$GAME" s
      box=$(wait_window "Speed of game" 10) || fail "$what: s showed no box"
      answer=${speed_answers[$(( (cycle / 5) % ${#speed_answers[@]} ))]}
      xdotool windowfocus --sync "$box" 2>/dev/null || true
      xdotool key ctrl+a
      [ -z "$answer" ] || xdotool type --delay 2 -- "$answer"
      xdotool key Return
      answers_typed=$((answers_typed + 1))
      wait_gone "Speed of game" || fail "$what: the speed box did not close"
      ;;
  esac
  alive "$what"
  leave_game "$what"
done
alive "after $cycles cycles"
only_visible "$MENU" "after $cycles cycles"
quit_program "after $cycles cycles"

echo "PASS in $((SECONDS))s: $tried_variants sprite variants, $closes_sent close requests," \
  "$cycles Play/q cycles with $keys_sent keys, $clicks_sent clicks and $answers_typed speed answers; no crash"
