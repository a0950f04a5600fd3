#!/usr/bin/env bash
# The program's command line, run with no display at all: DISPLAY, WAYLAND_DISPLAY and
# QT_QPA_PLATFORM unset. Each row gives the arguments, the exit status, the stream that must
# speak and the pattern of its first line; the other stream must stay silent, and a message on
# stderr is one line. A row that expects a status the program only gives before its menu
# (2 with -platform offscreen) shows that no window was opened: a started game would run on
# until the time limit.
# Usage: command_line.sh PROGRAM VERSION
set -uo pipefail
ulimit -c 0  # a regression to Qt's abort must not leave core files behind
program=$1
version=${2//./\\.}
usage="^Usage: .*vantrel \\[options\\]$"
mistake="Try 'vantrel --help'\\.$"
no_display="^vantrel: no display to open: set DISPLAY \\(X11\\) or WAYLAND_DISPLAY \\(Wayland\\)$"

rows=(
  # arguments | status | stream | first line (extended regular expression)
  "--help|0|stdout|$usage"
  "-h|0|stdout|$usage"
  "--version|0|stdout|^vantrel $version$"
  "-v|0|stdout|^vantrel $version$"
  # Qt takes its own options, with their values, and leaves only the unknown one.
  "-platform offscreen -style fusion --bogus|2|stderr|^vantrel: Unknown option 'bogus'\\. $mistake"
  "-platform offscreen extra|2|stderr|^vantrel: Unexpected argument 'extra'\\. $mistake"
  "|1|stderr|$no_display"
  # A display named but not there: Qt's own abort, caught.
  "-display :87|1|stderr|$no_display"
)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Qt warns on stderr when it has no runtime folder of its own.
export XDG_RUNTIME_DIR=$scratch
failures=0
for row in "${rows[@]}"; do
  IFS='|' read -r arguments want_status stream pattern <<<"$row"
  read -ra args <<<"$arguments"
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$program" "${args[@]}" \
    >"$scratch/stdout" 2>"$scratch/stderr" || status=$?
  quiet=$([ "$stream" = stdout ] && echo stderr || echo stdout)
  problem=
  if [ "$status" != "$want_status" ]; then
    problem="exit status $status, expected $want_status"
  elif ! head -n1 "$scratch/$stream" | grep -Eq "$pattern"; then
    problem="first line of $stream '$(head -n1 "$scratch/$stream")' does not match $pattern"
  elif [ -s "$scratch/$quiet" ]; then
    problem="$quiet is not empty: $(head -n3 "$scratch/$quiet")"
  elif [ "$stream" = stderr ] && [ "$(wc -l <"$scratch/stderr")" != 1 ]; then
    problem="stderr has $(wc -l <"$scratch/stderr") lines, not one"
  fi
  if [ -n "$problem" ]; then
    echo "FAIL vantrel $arguments: $problem"
    failures=$((failures + 1))
  else
    echo "ok   vantrel $arguments"
  fi
done
[ "$failures" = 0 ]
