# Helpers for driving the real program in a private X server, sourced by the end-to-end test,
# the random player, the install test, the whole-program benchmark and the screenshot script.

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

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
# The about screen's System Info button, where the desktop has no system-information program.
NO_SYSINFO_BOX="Vantrel"
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

# Weston's desktop and panel in colours that neither the arena nor a window has.
DESKTOP=204060
PANEL=806040
# Qt draws a window's title bar and borders itself on Wayland: 30 pixels above, 3 elsewhere.
TITLE_BAR=30
BORDER=3

# A desktop on its own Xvfb: bare (no window manager), openbox (an X11 window manager), or weston
# (a Wayland compositor with its panel along the top, drawing into the X screen; the program
# joins it through Wayland, and Xvfb's screenshots show what the compositor shows). Sets SESSION.
start_session() {
  SESSION=$1 SESSION_DIR=$(mktemp -d) SESSION_PIDS=()
  start_x
  case $SESSION in
  openbox)
    openbox >/dev/null 2>&1 &
    SESSION_PIDS+=($!)
    wait_until sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ;;
  weston)
    # Nothing moves on this desktop but the program: no clock, animation or blanking.
    printf '%s\n' '[core]' idle-time=0 '[shell]' clock-format=none animation=none \
      close-animation=none startup-animation=none \
      "background-color=0xff$DESKTOP" "panel-color=0xff$PANEL" >"$SESSION_DIR/weston.ini"
    local size=${SCREEN_SIZE:-1024x768}
    XDG_RUNTIME_DIR=$SESSION_DIR weston --backend=x11-backend.so --socket=vantrel --use-pixman \
      --width="${size%x*}" --height="${size#*x}" --config="$SESSION_DIR/weston.ini" >/dev/null 2>&1 &
    SESSION_PIDS+=($!)
    export XDG_RUNTIME_DIR=$SESSION_DIR WAYLAND_DISPLAY=vantrel QT_QPA_PLATFORM=wayland
    wait_until sh -c "import -window root -crop 1x1+0+31 -depth 8 txt:- | grep -qi '#$PANEL'" # its panel's foot
    # Weston moves its pointer by the X pointer's steps and stops it at the screen's edges, so
    # the two may start apart: a step to one corner and then to the opposite one brings both
    # to the same place, the empty end of the panel, where the pointer is out of the way.
    xdotool mousemove --sync 0 $((${size#*x} - 1)) mousemove --sync $((${size%x*} - 1)) 0 ;;
  esac
}
stop_session() { kill "${SESSION_PIDS[@]}" 2>/dev/null || true; stop_x; rm -rf "${SESSION_DIR:-}"; }

# Runs the command until it succeeds, for at most 20 seconds.
wait_until() {
  local deadline=$((SECONDS + 20))
  until "$@" 2>/dev/null; do [ $SECONDS -lt $deadline ] || fail "timed out: $*"; sleep 0.1; done
}

# Ends the program, should it still run, and the X server.
stop_x() {
  [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null || true
}

# The title as an anchored extended regular expression, which xdotool matches.
title_pattern() { printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\.*^$?+(){}|]/\\&/g')"; }

# Prints the id of a visible window with exactly this title, if there is one. On Wayland the
# title stands for the id.
find_window() {
  if [ "${SESSION:-}" = weston ]; then
    wayland_windows | sed 's/^\*//' | grep -m1 -xF -- "$1"
  else
    xdotool search --onlyvisible --name "$(title_pattern "$1")" 2>/dev/null | head -n1
  fi
}

# The program's windows on Wayland, one title a line, the one with the keyboard starred. Wayland
# shows no client another's windows: this reads the program's own requests and the events it
# gets, as WAYLAND_DEBUG logs them; start_program keeps these lines of the log.
WAYLAND_LINES='get_xdg_surface|get_toplevel|xdg_toplevel@[0-9]+\.(set_title|destroy)|wl_keyboard@[0-9]+\.(enter|leave)'
wayland_windows() {
  awk 'match($0, /xdg_toplevel@[0-9]+/) { id = substr($0, RSTART + 13, RLENGTH - 13) }
    match($0, /wl_surface@[0-9]+/) { surface = substr($0, RSTART, RLENGTH) }
    /get_toplevel/ { on[id] = surface } /xdg_toplevel@[0-9]+\.destroy/ { delete title[id] }
    (i = index($0, "set_title(\"")) { title[id] = substr($0, i + 11, length($0) - i - 12) }
    /wl_keyboard@[0-9]+\.enter/ { keyboard = surface } /wl_keyboard@[0-9]+\.leave/ { keyboard = "" }
    END { for (id in title) print (on[id] == keyboard ? "*" : "") title[id] }' "$SESSION_DIR/titles" 2>/dev/null
}
has_keyboard() { wayland_windows | grep -qxF -- "*$1"; }

# A window's outer frame, "x y width height": on X the window grown by the frame the window
# manager reports; on Wayland, where only the compositor knows where windows are, the one
# window on the plain desktop found by its pixels, once two screenshots agree.
frame_of() {
  if [ "${SESSION:-}" != weston ]; then
    local extents
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | grep -o '[0-9, ]*$')
    xwininfo -id "$1" | awk -v e="${extents:-0,0,0,0}" 'BEGIN { split(e, m, ",") } /Width/ {w=$NF} /Height/ {h=$NF}
      /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
      END {print x - m[1], y - m[3], w + m[1] + m[2], h + m[3] + m[4]}'
    return
  fi
  local box last= size=${SCREEN_SIZE:-1024x768}
  xdotool mousemove --sync $((${size%x*} - 1)) 0 # out of the way, on the panel's empty end
  for _ in $(seq 50); do
    box=$(import -window root -depth 8 ppm:- | python3 "$E2E_DIR/xtools.py" window - "$DESKTOP $PANEL")
    [ -n "$box" ] && [ "$box" = "$last" ] && echo "$box" && return
    last=$box && sleep 0.2
  done
  fail "no window stands still on the desktop"
}

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

# Presses a key in a window: on X focus is given to it directly; on Wayland, where the
# compositor gives the keyboard to the window it activated, once that is this one.
key_in() {
  if [ "${SESSION:-}" = weston ]; then
    wait_until has_keyboard "$1"
  else
    # A window gone meanwhile takes no key: sent anyway, it would reach whatever has the focus.
    xdotool windowfocus --sync "$1" 2>/dev/null || xwininfo -id "$1" >/dev/null 2>&1 || return 0
  fi
  xdotool key "$2"
}

# Clicks at (x, y) relative to a window's client area.
click_in() {
  [ "${SESSION:-}" = weston ] || { xdotool mousemove --window "$1" "$2" "$3" click 1; return; }
  local x y
  read -r x y _ < <(frame_of "$1")
  xdotool mousemove --sync $((x + BORDER + $2)) $((y + TITLE_BAR + $3)) click 1
}

# Starts the program with its output in LOG (or discarded) and waits for the menu. Sets
# APP_PID, and MENU_ID to the menu's window.
start_program() {
  if [ "${SESSION:-}" = weston ]; then
    WAYLAND_DEBUG=client "$1" >"${LOG:-/dev/null}" \
      2> >(grep --line-buffered -E "$WAYLAND_LINES" >"$SESSION_DIR/titles") &
  else
    "$1" >"${LOG:-/dev/null}" 2>&1 &
  fi
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
