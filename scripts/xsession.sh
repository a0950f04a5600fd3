# Helpers that drive the real program on a private X server, for the tests, benchmark and screenshots.

MENU="=>Vantrel<="
GAME="=> VANTREL <="
RULES="=>Rules<="
ABOUT="About Vantrel"
RESULT_BOX="I missed it..."
TALLY_BOX="I'm gonna crush you..."
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

# Ctrl-C, TERM or a hang-up end the script by its exit, so that its EXIT trap, which calls stop_x, runs. A foreground
# command that outlives the signal (timeout leaves the terminal's process group) delays it, nothing more.
# The first signal makes the others ignored, so that a second Ctrl-C cannot cut the clean-up short.
trap 'trap "" INT TERM HUP; exit 130' INT
trap 'trap "" INT TERM HUP; exit 143' TERM
trap 'trap "" INT TERM HUP; exit 129' HUP

xtools() { python3 "${BASH_SOURCE[0]%/*}/xtools.py" "$@"; } # pixels and close requests, which no X tool has

# The program and the desktop answer in their own time, which a loaded machine stretches to seconds: WAIT at most.
within() { local end=$((SECONDS + $1)); until "${@:2}"; do [ $SECONDS -lt $end ] || return 1; sleep 0.1; done; }
wait_until() { within "${WAIT:-60}" "$@" || fail "timed out waiting for: $*"; }

# Xvfb at 1024 x 768 (-noreset: taking connections between clients too) with the desktop $1: bare, openbox,
# or weston, a compositor with a panel in the X screen, no animations, listing its windows to weston-debug.
# Call stop_x from an EXIT trap set before start_x: start_x itself fails when the desktop does not come.
start_x() {
  SESSION=${1:-bare} SESSION_DIR=$(mktemp -d)
  export VANTREL_SESSION_MARK=$SESSION_DIR
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY
  coproc XVFB { exec Xvfb -displayfd 1 -noreset -screen 0 1024x768x24 -nolisten tcp 2>/dev/null; }
  read -r display <&"${XVFB[0]}"
  export DISPLAY=":$display"
  case $SESSION in
  openbox)
    openbox >/dev/null 2>&1 &
    wait_until desktop_ready $! sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ;;
  weston)
    printf '%s\n' '[core]' idle-time=0 '[shell]' clock-format=none animation=none close-animation=none \
      startup-animation=none >"$SESSION_DIR/weston.ini"
    export XDG_RUNTIME_DIR=$SESSION_DIR WAYLAND_DISPLAY=vantrel QT_QPA_PLATFORM=wayland
    weston --backend=x11-backend.so --socket=vantrel --use-pixman --debug --width=1024 --height=768 \
      --config="$SESSION_DIR/weston.ini" >/dev/null 2>&1 &
    wait_until desktop_ready $! sh -c 'weston-debug scene-graph 2>/dev/null | grep -q "panel for output"'
    xdotool mousemove --sync 0 767 mousemove --sync 1023 0 ;; # Weston's pointer then lies under X's
  esac
}

# Whether the desktop started as process $1 has come up: the command after $1 succeeds. One that has ended, as one
# that cannot start here does, fails the script at once instead of at the end of the wait.
desktop_ready() { kill -0 "$1" 2>/dev/null || fail "the desktop ended before it came up"; "${@:2}"; }

# Every process that start_x, start_program and the script start after them carries VANTREL_SESSION_MARK, the
# session's own folder, in its environment: so do their children, even those that leave the process group and
# the session and are handed to init, as the program's system-information tool is (QProcess::startDetached).
# Lists them by process id. The grep carries no mark, nor do the script's own subshells: /proc shows the
# environment a process was started with, and the script was started without one.
session_processes() {
  local found
  found=$(env -u VANTREL_SESSION_MARK grep -lzxF "VANTREL_SESSION_MARK=$VANTREL_SESSION_MARK" /proc/[0-9]*/environ \
    2>/dev/null) || true
  found=${found//\/proc\//} && echo "${found//\/environ/}"
}

# Seconds that the session has to end on TERM, which lets Xvfb and Weston take their sockets and lock files
# away, before what is left gets KILL; and then for KILL to take effect. A loaded machine takes seconds.
STOP_GRACE=15
# Leaves nothing running, wherever start_x stopped: the program and whatever it started, the desktop and the X
# server, and the script's own background jobs. Returns once they are gone.
stop_x() {
  local signal=TERM end=$((SECONDS + STOP_GRACE)) processes
  trap '' INT TERM HUP
  kill $(jobs -p) 2>/dev/null || true
  while [ -n "${VANTREL_SESSION_MARK:-}" ] && processes=$(session_processes) && [ -n "$processes" ]; do
    [ $SECONDS -lt $end ] || signal=KILL
    [ $SECONDS -lt $((end + STOP_GRACE)) ] || { echo "still running after KILL: $processes" >&2 && break; }
    kill -s "$signal" $processes 2>/dev/null || true
    sleep 0.2
  done
  wait 2>/dev/null || true
  rm -rf "${SESSION_DIR:-}"
}

# The visible window titled exactly $1: its id on X; on Wayland, where only the compositor knows the
# windows, the corner of its client area on the screen, inside the title bar and border Qt draws.
find_window() {
  if [ "$SESSION" != weston ]; then
    xdotool search --onlyvisible --limit 1 --name "^$(sed 's/[][\.*^$?+(){}|]/\\&/g' <<<"$1")\$"
  else
    weston-debug scene-graph | awk -v window="top-level window '$1' of " '
      index($0, window) { getline; gsub(/[^-0-9]+/, " "); print $1 + 3, $2 + 30; found = 1; exit } END { exit !found }'
  fi
} 2>/dev/null
no_window() { ! find_window "$1" >/dev/null; }

# Keys to the window titled $1: on X through the focus; Weston gives the keyboard to the newest window.
key_in() {
  [ "$SESSION" = weston ] || xdotool windowfocus --sync "$(find_window "$1")"
  xdotool key "${@:2}"
}

# A click at ($2, $3) in the client area of the window titled $1, in the window's own pixels: under a whole
# QT_SCALE_FACTOR, that many screen pixels each.
click_in() {
  local x y scale=${QT_SCALE_FACTOR:-1}
  if [ "$SESSION" = weston ]; then
    read -r x y < <(find_window "$1")
    xdotool mousemove --sync $((x + $2 * scale)) $((y + $3 * scale)) click 1
  else
    xdotool mousemove --window "$(find_window "$1")" $(($2 * scale)) $(($3 * scale)) click 1
  fi
}

# A screen leads to another: the window titled $2 must come and the one titled $1 go.
replaced() { wait_until find_window "$2" >/dev/null && wait_until no_window "$1"; }

# A click at ($2, $3) on the window titled $1 must put the one titled $4 in its place.
click_to() { click_in "$@" && replaced "$1" "$4"; }

# A box must come, take the keys and go.
answer() {
  wait_until find_window "$1" >/dev/null
  key_in "$@"
  wait_until no_window "$1"
}

# Starts the program, its output in $SESSION_DIR/log, and waits for its menu. Sets APP_PID.
start_program() {
  "$1" >"$SESSION_DIR/log" 2>&1 &
  APP_PID=$!
  wait_until find_window "$MENU" >/dev/null
}

# A rally may end at any time: its result box, then its tally box, wait for Return.
answer_rally_boxes() {
  ! find_window "$RESULT_BOX" >/dev/null || { answer "$RESULT_BOX" Return && answer "$TALLY_BOX" Return; }
}

# Key $1 on the game must bring the box titled $2, which the keys after it answer.
game_box() { key_in "$GAME" "$1" && answer "${@:2}"; }

# "q" on the game and Return on its box: the menu must take the game's place.
back_to_menu() {
  answer_rally_boxes
  game_box q "Good Game...loser..." Return
  replaced "$GAME" "$MENU"
}

# Quit on the menu: the program must end with status 0, at once, give or take a loaded machine and a leak check.
press_quit() {
  click_in "$MENU" "${QUIT_BUTTON[@]}"
  timeout 30 tail --pid="$APP_PID" -f /dev/null || fail "the program still runs 30 s after Quit"
  wait "$APP_PID" || fail "the program ended with status $?"
}
