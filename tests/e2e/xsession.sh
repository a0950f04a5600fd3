# Helpers for driving the real program in a private X server. Sourced by the end-to-end tests.

# Starts Xvfb on a free display with a 1024 x 768 screen and exports DISPLAY.
start_x() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    # A server that lost the number to another one exits: then try the next number, rather
    # than talk to someone else's server.
    for _ in $(seq 50); do
      kill -0 "$XVFB_PID" 2>/dev/null || break
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null
  done
  echo "no display could be started" >&2
  return 1
}

stop_x() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null || true; }

# Waits until a visible window has exactly this title; prints its id.
wait_window() {
  local title=$1 timeout=${2:-20} id
  local deadline=$((SECONDS + timeout))
  while [ $SECONDS -lt "$deadline" ]; do
    id=$(xdotool search --onlyvisible --name "^$(printf '%s' "$title" | sed 's/[.[\*^$]/\\&/g')\$" 2>/dev/null | head -n1)
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
    xdotool search --onlyvisible --name "^$(printf '%s' "$title" | sed 's/[.[\*^$]/\\&/g')\$" >/dev/null 2>&1 || return 0
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
