#!/usr/bin/env bash
# Catches, with no display or one that cannot be opened: a wrong exit status, text on the wrong stream, a window for a
# mistake, Qt's abort or its page of plugins instead of the display and the cause.
# Usage: command_line.sh PROGRAM VERSION
set -u
ulimit -c 0 # a regression to Qt's abort must not leave core files behind
program=$1 version=$2
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export LC_ALL=C.UTF-8 # Qt 6.8 and later warn on stderr under a locale that is not UTF-8 (none set, as on a bare system)
export XDG_RUNTIME_DIR=$(mktemp -d) # Qt warns on stderr when it has no runtime folder of its own
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
failures=0

# $1 is the answer to the arguments after it, "status|first line of stdout|all of stderr"; the
# time limit stops a program that opened its menu. Qt takes its own options, with their values, and
# leaves only the unknown one; a display named but not there must not reach Qt's abort.
check() {
  timeout 30 "$program" "${@:2}" >"$XDG_RUNTIME_DIR/out" 2>"$XDG_RUNTIME_DIR/err"
  got="$?|$(head -n1 "$XDG_RUNTIME_DIR/out")|$(cat "$XDG_RUNTIME_DIR/err")"
  [ "$got" = "$1" ] && return
  echo "FAIL vantrel ${*:2}: got '$got', want '$1'"
  failures=$((failures + 1))
}

# When Qt cannot start: status $1, a few lines on stderr that name $2, what it tried, whatever Qt's wording in this
# version, and nothing on stdout.
check_says() {
  timeout 30 "$program" "${@:3}" >"$XDG_RUNTIME_DIR/out" 2>"$XDG_RUNTIME_DIR/err"
  local status=$? lines
  lines=$(wc -l <"$XDG_RUNTIME_DIR/err")
  grep -qF -- "$2" "$XDG_RUNTIME_DIR/err" && [ "$status" = "$1" ] && [ ! -s "$XDG_RUNTIME_DIR/out" ] && [ "$lines" -le 5 ] &&
    return
  echo "FAIL ${*:3}: status $status, $lines lines on stderr, want $1 naming $2: $(head -c 600 "$XDG_RUNTIME_DIR/err")"
  failures=$((failures + 1))
}

# An X display whose server is not there: neither its socket file nor its abstract socket exists.
display=87
while [ -e /tmp/.X11-unix/X$display ] || grep -q "@/tmp/.X11-unix/X$display\$" /proc/net/unix; do
  display=$((display + 1))
done

no_display="vantrel: no display to open: set DISPLAY (X11) or WAYLAND_DISPLAY (Wayland)"
check "0|Usage: $program [options]|" --help
check "0|Usage: $program [options]|" -h
check "0|vantrel $version|" --version
check "0|vantrel $version|" -v
check "2||vantrel: Unknown option 'bogus'. Try 'vantrel --help'." -platform offscreen -style fusion --bogus
check "2||vantrel: Unexpected argument 'extra'. Try 'vantrel --help'." -platform offscreen extra
check "1||$no_display"
check "1||$no_display" --bogus
check "1||$no_display" xversion   # no dash: an argument, not an option
check "1||$no_display" xdisplay :$display
# Answered before Qt starts: a stale DISPLAY, or Qt's options and their values, change nothing.
check "0|vantrel $version|" -display :$display --version
check "0|vantrel $version|" -display :$display -version
check "0|Usage: $program [options]|" -display :$display -style -v --help
check "0|vantrel $version|" -platform no-such-plugin -version
check_says 1 ":$display" -display :$display
check_says 1 ":$display" -display :$display --bogus
check_says 1 '"no-such-plugin"' -platform no-such-plugin
DISPLAY=:$display check_says 1 ":$display"
QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=no-such-compositor check_says 1 "$XDG_RUNTIME_DIR/no-such-compositor"
[ "$failures" = 0 ]
