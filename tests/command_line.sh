#!/usr/bin/env bash
# Catches, with no display, a wrong exit status, text on the wrong stream, a window opened for a mistake, or Qt's abort.
# Usage: command_line.sh PROGRAM VERSION
set -u
ulimit -c 0 # a regression to Qt's abort must not leave core files behind
program=$1 version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_RUNTIME_DIR=$scratch # Qt warns on stderr when it has no runtime folder of its own
failures=0

# $1 is the answer to the arguments after it, "status|first line of stdout|all of stderr"; the
# time limit stops a program that opened its menu.
check() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$program" "${@:2}" >"$scratch/out" 2>"$scratch/err"
  got="$?|$(head -n1 "$scratch/out")|$(cat "$scratch/err")"
  [ "$got" = "$1" ] && return
  echo "FAIL vantrel ${*:2}: got '$got', want '$1'"
  failures=$((failures + 1))
}

try="Try 'vantrel --help'."
no_display="vantrel: no display to open: set DISPLAY (X11) or WAYLAND_DISPLAY (Wayland)"
check "0|Usage: $program [options]|" --help
check "0|Usage: $program [options]|" -h
check "0|vantrel $version|" --version
check "0|vantrel $version|" -v
# Qt takes its own options, with their values, and leaves only the unknown one.
check "2||vantrel: Unknown option 'bogus'. $try" -platform offscreen -style fusion --bogus
check "2||vantrel: Unexpected argument 'extra'. $try" -platform offscreen extra
check "1||$no_display"
# A display named but not there: Qt's own abort, caught.
check "1||$no_display" -display :87
[ "$failures" = 0 ]
