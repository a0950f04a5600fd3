#!/usr/bin/env bash
# Catches, with no display: a wrong exit status, text on the wrong stream, a window for a mistake, Qt's abort.
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

no_display="vantrel: no display to open: set DISPLAY (X11) or WAYLAND_DISPLAY (Wayland)"
check "0|Usage: $program [options]|" --help
check "0|Usage: $program [options]|" -h
check "0|vantrel $version|" --version
check "0|vantrel $version|" -v
check "2||vantrel: Unknown option 'bogus'. Try 'vantrel --help'." -platform offscreen -style fusion --bogus
check "2||vantrel: Unexpected argument 'extra'. Try 'vantrel --help'." -platform offscreen extra
check "1||$no_display"
check "1||$no_display" -display :87
[ "$failures" = 0 ]
