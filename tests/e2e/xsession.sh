# Helpers for driving the real program in a private X server. Sourced by the end-to-end tests.

# Starts a private Xvfb with a 1024 x 768 screen on a display number it picks itself, and
# exports DISPLAY. -noreset: the server otherwise resets, refusing connections for a moment,
# each time its last client leaves.
start_x() {
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$number" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$number")"
  rm -f "$number"
  [ "$DISPLAY" != ":" ] || { echo "no display could be started" >&2; return 1; }
}

stop_x() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null || true; }

# The title as an anchored extended regular expression, which xdotool matches.
title_pattern() { printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\.*^$?+(){}|]/\\&/g')"; }

# Waits until a visible window has exactly this title; prints its id.
wait_window() {
  local title=$1 timeout=${2:-20} id
  local deadline=$((SECONDS + timeout))
  while [ $SECONDS -lt "$deadline" ]; do
    id=$(xdotool search --onlyvisible --name "$(title_pattern "$title")" 2>/dev/null | head -n1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "window '$title' did not appear within ${timeout}s" >&2
  return 1
}

# Waits until no visible window has this title.
wait_gone() {
  local title=$1 timeout=${2:-10}
  local deadline=$((SECONDS + timeout))
  while [ $SECONDS -lt "$deadline" ]; do
    xdotool search --onlyvisible --name "$(title_pattern "$title")" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  echo "window '$title' still visible after ${timeout}s" >&2
  return 1
}

# Presses a key in a window (no window manager here, so focus is given directly).
key_in() { xdotool windowfocus --sync "$1" 2>/dev/null || true; xdotool key "$2"; }

# Clicks at (x, y) relative to a window's top-left corner.
click_in() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts the program, waits for the menu and presses Play (at (800, 500) twips, 1810 x 710:
# its middle is near (113, 57) pixels). Sets APP_PID, and `game` to the game screen's id.
start_and_play() {
  "$1" &
  APP_PID=$!
  local menu
  menu=$(wait_window "=>Vantrel<=") || fail "no menu after start"
  echo "menu is up"
  click_in "$menu" 113 57
  game=$(wait_window "=> VANTREL <=") || fail "no game screen after Play"
  wait_gone "=>Vantrel<=" || fail "the menu stayed visible after Play"
}

# "q" on the game screen, Return on its box: the menu must come back and the game go.
# Prints the menu's id.
press_q_back_to_menu() {
  local game=$1 bye menu
  key_in "$game" q
  bye=$(wait_window "Good Game...loser..." 10) || fail "q showed no box"
  key_in "$bye" Return
  menu=$(wait_window "=>Vantrel<=" 10) || fail "the menu did not come back after q"
  wait_gone "=> VANTREL <=" || fail "the game screen stayed visible after q"
  echo "$menu"
}

# Quit on the menu (at (800, 2900) twips: its middle is near (113, 217) pixels): the program
# APP_PID must end at once with status 0.
press_quit() {
  click_in "$1" 113 217
  for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$APP_PID" 2>/dev/null && fail "the program is still running after Quit"
  local status=0
  wait "$APP_PID" || status=$?
  APP_PID=
  [ "$status" = 0 ] || fail "the program ended with status $status"
}
