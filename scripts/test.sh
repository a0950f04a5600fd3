#!/usr/bin/env bash
# Sets everything up, then checks the formatting and builds and runs every test: the whole
# suite under AddressSanitizer and UndefinedBehaviorSanitizer (with leak checking), the random
# player on the sanitized program, the fuzz targets, then the end-to-end tests on a plain
# Release build in a real X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# Every source as .clang-format writes it; `clang-format -i FILE` mends one that is not.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

jobs=$(nproc)
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON -DVANTREL_TESTS=ON >/dev/null
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize --output-on-failure -LE e2e -j "$jobs"

# The random player mostly waits for the program, so its two minutes run beside the fuzzers
# and the Release build.
player_log=build/sanitize/random_player.log
ctest --test-dir build/sanitize --output-on-failure -L player >"$player_log" 2>&1 &
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
cat "$player_log"
exit "$status"
