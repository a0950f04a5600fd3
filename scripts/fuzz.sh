#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer,
# runs each from a copy of its committed seed corpus, and prints how many inputs each one ran.
# Any crash, sanitizer report, leak, hang or failed check fails the run; the input that caused
# it is kept under the build folder.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=$(realpath -m "${2:-build/fuzz}")
targets=(fuzz_speed_answer fuzz_sprites)
# No single input may take this long: a sprite file that claims a huge picture must be refused
# quickly, not decoded.
slowest_input_seconds=10

bash scripts/setup.sh tests
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANTREL_SANITIZE=ON -DVANTREL_FUZZ=ON -DVANTREL_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The sprite target writes its files under TMPDIR: they go with the rest of this run.
export TMPDIR=$work
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

failed=0
for target in "${targets[@]}"; do
  corpus=$work/$target
  log=$work/$target.log
  cp -r "fuzz/corpus/$target" "$corpus"
  status=passed
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout="$slowest_input_seconds" \
    -print_final_stats=1 -artifact_prefix="$work/$target-" "$corpus" >"$log" 2>&1 || status=FAILED
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  printf '%-18s %10s executions in %ss  %s\n' "$target" "${runs:-no}" "$seconds" "$status"
  if [ "$status" != passed ]; then
    failed=1
    grep -v '^#' "$log" | tail -n 40 >&2
    mkdir -p "$build/crashes"
    for artifact in "$work/$target-"*; do
      [ -e "$artifact" ] || continue
      cp "$artifact" "$build/crashes/"
      echo "input kept: $build/crashes/$(basename "$artifact") (replay: $build/fuzz/$target FILE)" >&2
    done
  fi
done
exit "$failed"
