#!/usr/bin/env bash
# Sets everything up, then checks the formatting and builds and runs every test: the whole
# suite under AddressSanitizer and UndefinedBehaviorSanitizer (with leak checking), the random
# player on the sanitized program, the fuzz targets, then the end-to-end tests on a plain
# Release build in a real X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh tests

# Every source as .clang-format writes it; `clang-format -i FILE` mends one that is not.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

jobs=$(nproc)
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON -DVANTREL_TESTS=ON >/dev/null
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize --output-on-failure -LE e2e -j "$jobs"

# The random player mostly waits for the program, so its two minutes run beside the fuzzers
# and the Release build. It runs in a session of its own, which a background job needs to be
# ended whole: the job and its children ignore Ctrl-C, and a failure here ends this script
# without waiting for it. Its X session's clean-up also ends what the program started.
player_log=build/sanitize/random_player.log
player=
# Seconds that the random player has to end on TERM, its X session's clean-up with its own
# grace included, before what is left of it gets KILL.
player_grace=45
# The session's processes that still run: ctest, the player, its X server and the program. Read
# from /proc, as a fresh Debian may have no ps; in /proc/PID/stat, the session is the fourth
# field after the command's name in parentheses, and a process ended but not yet reaped is Z.
player_processes() {
  local stat fields state session
  for stat in /proc/[0-9]*/stat; do
    read -r fields 2>/dev/null <"$stat" || continue
    read -r state _ _ session _ <<<"${fields##*) }"
    [ "$session" != "$player" ] || [ "$state" = Z ] || { stat=${stat#/proc/} && echo "${stat%/stat}"; }
  done
}
end_player() {
  trap '' INT TERM HUP
  [ -n "$player" ] || return 0
  local left end=$((SECONDS + player_grace))
  # All at once: ctest dies of TERM without passing it on.
  left=$(player_processes) && kill -TERM $left 2>/dev/null || true
  while left=$(player_processes) && [ -n "$left" ]; do
    [ $SECONDS -lt $end ] || kill -KILL $left 2>/dev/null || true
    sleep 0.5
  done
  wait "$player" 2>/dev/null || true
}
trap end_player EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP
setsid ctest --test-dir build/sanitize --output-on-failure -L player >"$player_log" 2>&1 &
player=$!

# Twenty seconds of libFuzzer for each target, from the committed seed inputs.
bash scripts/fuzz.sh 20 build/fuzz

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=ON >/dev/null
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -LE e2e -j "$jobs"
# Each desktop runs on an X server of its own, so they can run side by side.
ctest --test-dir build/release --output-on-failure -L e2e -LE player -j "$jobs"

status=0
wait "$player" || status=$?
player=
cat "$player_log"
exit "$status"
