# Helpers for driving the real program in a private X server, sourced by the end-to-end test,
# the random player, the install test, the whole-program benchmark and the screenshot script.

# The program's window titles.
MENU="=>Vantrel<="
GAME="=> VANTREL <="
RULES="=>Rules<="
ABOUT="About Vantrel"
RESULT_BOX="I missed it..."
TALLY_BOX="I'm gonna crush you..."
QUIT_BOX="Good Game...loser..."
PAUSE_BOX="Lame, do computers pause?"
SPEED_BOX="Speed of game"
# Button middles in pixels from the client area's corner: the menu's column at 800 twips,
# 1810 x 710, tops 500 to 2900; the rules screen's Back at (5100, 4900), 1010 x 510.
PLAY_BUTTON=(113 57)
RULES_BUTTON=(113 110)
ABOUT_BUTTON=(113 164)
QUIT_BUTTON=(113 217)
BACK_BUTTON=(374 344)
# The pointer on this row puts the player's paddle top at 300.
POINTER_Y=338
PADDLE_Y=300

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts a private Xvfb (1024 x 768 unless SCREEN_SIZE says otherwise) on a display number it
# picks itself, and exports DISPLAY. -noreset: the server otherwise resets, refusing
# connections for a moment, each time its last client leaves.
start_x() {
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -noreset -screen 0 "${SCREEN_SIZE:-1024x768}x24" -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$number" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$number")"
  rm -f "$number"
  [ "$DISPLAY" != ":" ] || fail "no X server could be started"
}

# Ends the program, should it still run, and the X server.
stop_x() {
  [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null || true
}

# The title as an anchored extended regular expression, which xdotool matches.
title_pattern() { printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\.*^$?+(){}|]/\\&/g')"; }

# Prints the id of a visible window with exactly this title, if there is one.
find_window() { xdotool search --onlyvisible --name "$(title_pattern "$1")" 2>/dev/null | head -n1; }

# Waits until a visible window has exactly this title; prints its id.
wait_window() {
  local deadline=$((SECONDS + ${2:-20})) id
  while [ $SECONDS -lt "$deadline" ]; do
    id=$(find_window "$1") && [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "window '$1' did not appear within ${2:-20}s"
}

# Waits until no visible window has this title.
wait_gone() {
  local deadline=$((SECONDS + ${2:-10}))
  while [ $SECONDS -lt "$deadline" ]; do
    [ -z "$(find_window "$1")" ] && return 0
    sleep 0.1
  done
  fail "window '$1' still visible after ${2:-10}s"
}

# Presses a key in a window (no window manager here, so focus is given directly).
key_in() { xdotool windowfocus --sync "$1" 2>/dev/null || true; xdotool key "$2"; }

# Clicks at (x, y) relative to a window's top-left corner.
click_in() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# Starts the program with its output in LOG (or discarded) and waits for the menu. Sets
# APP_PID, and MENU_ID to the menu's window.
start_program() {
  "$1" >"${LOG:-/dev/null}" 2>&1 &
  APP_PID=$!
  MENU_ID=$(wait_window "$MENU")
}

# Play on the menu: the game screen must come and the menu go. Sets GAME_ID.
press_play() {
  click_in "$MENU_ID" "${PLAY_BUTTON[@]}"
  GAME_ID=$(wait_window "$GAME")
  wait_gone "$MENU"
}

# Return on the boxes of a rally's end, if one is open.
answer_rally_boxes() {
  local title id
  for title in "$RESULT_BOX" "$TALLY_BOX"; do
    id=$(find_window "$title") && [ -n "$id" ] && key_in "$id" Return && sleep 0.1
  done
  return 0
}

# "q" on the game screen and Return on its box: the menu must come back and the game go.
# Sets MENU_ID.
back_to_menu() {
  local bye
  answer_rally_boxes
  key_in "$GAME_ID" q
  bye=$(wait_window "$QUIT_BOX" 10)
  key_in "$bye" Return
  MENU_ID=$(wait_window "$MENU" 10)
  wait_gone "$GAME"
}

# Quit on the menu: the program must end at once with status 0.
press_quit() {
  click_in "$MENU_ID" "${QUIT_BUTTON[@]}"
  for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$APP_PID" 2>/dev/null && fail "the program is still running after Quit"
  local status=0
  wait "$APP_PID" || status=$?
  APP_PID=
  [ "$status" = 0 ] || fail "the program ended with status $status"
}
