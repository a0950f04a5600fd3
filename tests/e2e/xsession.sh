# Helpers that drive the real program on a private X server, for the tests, benchmark and screenshots.

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
# The pointer on this row puts the player's paddle top at 400, away from the 300 of a serve.
POINTER_Y=438
PADDLE_Y=400

fail() { echo "FAIL: $*" >&2; exit 1; }

# Python reads the screenshots' pixels and sends close requests as a window manager does.
xtools() { python3 "${BASH_SOURCE[0]%/*}/xtools.py" "$@"; }

# The program and the desktop answer in their own time: WAIT seconds at most, 20 unless set.
wait_until() {
  local deadline=$((SECONDS + ${WAIT:-20}))
  until "$@" 2>/dev/null; do [ $SECONDS -lt $deadline ] || fail "timed out waiting for: $*"; sleep 0.1; done
}

# Xvfb at 1024 x 768 with the desktop $1: bare, openbox (an X11 window manager), or weston (a
# Wayland compositor with its panel, drawing into the X screen, the program on Wayland). Sets SESSION.
start_x() {
  SESSION=${1:-bare} SESSION_DIR=$(mktemp -d)
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY
  # -noreset: Xvfb would otherwise refuse connections for a moment each time its last client leaves.
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$SESSION_DIR/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  wait_until test -s "$SESSION_DIR/display"
  export DISPLAY=":$(cat "$SESSION_DIR/display")"
  case $SESSION in
  openbox)
    openbox >/dev/null 2>&1 &
    wait_until sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ;;
  weston)
    # Nothing moves on this desktop but the program: no clock, animation or blanking.
    printf '%s\n' '[core]' idle-time=0 '[shell]' clock-format=none animation=none close-animation=none \
      startup-animation=none >"$SESSION_DIR/weston.ini"
    export XDG_RUNTIME_DIR=$SESSION_DIR WAYLAND_DISPLAY=vantrel QT_QPA_PLATFORM=wayland
    # --debug lets weston-debug describe the windows, which Wayland shows to no other client.
    weston --backend=x11-backend.so --socket=vantrel --use-pixman --debug --width=1024 --height=768 \
      --config="$SESSION_DIR/weston.ini" >/dev/null 2>&1 &
    wait_until sh -c 'weston-debug scene-graph | grep -q "panel for output"'
    # Weston's pointer follows the X pointer's steps, stopping at the edges: two corners line both up.
    xdotool mousemove --sync 0 767 mousemove --sync 1023 0 ;;
  esac
}

# Leaves nothing running: the program, should it still run, the desktop and the X server.
stop_x() {
  jobs -p | xargs -r kill 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "${SESSION_DIR:-}"
}

# On Wayland only the compositor knows the windows: "x y width height" of the one with this title.
weston_frame() {
  weston-debug scene-graph 2>/dev/null | awk -v window="top-level window '$1' of " '
    index($0, window) { getline; sub(/->/, ""); gsub(/[^-0-9]+/, " "); print $1, $2, $3 - $1, $4 - $2; found = 1; exit }
    END { exit !found }'
}

# The id of the visible window with exactly this title; on Wayland the title stands for the id.
find_window() {
  [ "${SESSION:-}" != weston ] || { weston_frame "$1" >/dev/null && echo "$1"; return; }
  xdotool search --onlyvisible --limit 1 --name "^$(sed 's/[][\.*^$?+(){}|]/\\&/g' <<<"$1")\$"
}
no_window() { ! find_window "$1" >/dev/null; }
wait_window() { wait_until find_window "$1"; }
wait_gone() { wait_until no_window "$1"; }
# A screen leads to another: the window titled $2 comes and the one titled $1 goes; prints the id.
replaced() { wait_window "$2" && wait_gone "$1"; }

# On X the focus, which a window gone cannot take; Weston gives the keyboard to the newest window.
key_in() {
  if [ "${SESSION:-}" = weston ]; then xdotool key "${@:2}"; else xdotool windowfocus --sync "$1" key "${@:2}"; fi
}

# A box must come, take the keys and go.
answer() {
  local box
  box=$(wait_window "$1")
  key_in "$box" "${@:2}"
  wait_gone "$1"
}

# Clicks at (x, y) in the client area; on Wayland below the title bar and in the border Qt draws.
click_in() {
  [ "${SESSION:-}" = weston ] || { xdotool mousemove --window "$1" "$2" "$3" click 1; return; }
  local x y
  read -r x y _ < <(weston_frame "$1")
  xdotool mousemove --sync $((x + 3 + $2)) $((y + 30 + $3)) click 1
}

# Starts the program, its output in LOG if set, and waits for its menu. Sets APP_PID and MENU_ID.
start_program() {
  "$1" >"${LOG:-/dev/null}" 2>&1 &
  APP_PID=$!
  MENU_ID=$(wait_window "$MENU")
}

# Play on the menu: the game must take its place. Sets GAME_ID.
press_play() {
  click_in "$MENU_ID" "${PLAY_BUTTON[@]}"
  GAME_ID=$(replaced "$MENU" "$GAME")
}

# A rally may end at any time; its result box, then its tally box, wait for Return.
answer_rally_boxes() {
  local title
  for title in "$RESULT_BOX" "$TALLY_BOX"; do
    ! find_window "$title" >/dev/null || answer "$title" Return
    sleep 0.1 # the tally comes just after the result has gone
  done
}

# "q" on the game and Return on its box: the menu must take the game's place. Sets MENU_ID.
back_to_menu() {
  answer_rally_boxes
  key_in "$GAME_ID" q
  answer "$QUIT_BOX" Return
  MENU_ID=$(replaced "$GAME" "$MENU")
}

# Quit on the menu: the program must end at once with status 0.
press_quit() {
  click_in "$MENU_ID" "${QUIT_BUTTON[@]}"
  timeout 5 tail --pid="$APP_PID" -f /dev/null || fail "the program still runs 5 s after Quit"
  wait "$APP_PID" || fail "the program ended with status $?"
  APP_PID=
}
