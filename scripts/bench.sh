#!/usr/bin/env bash
# Sets everything up, builds in Release and prints every performance figure: the rules' tick,
# the frame beside a plain arena fill (with their ratio), allocations per tick, the game
# screen's tick timing, and the whole program under Xvfb.
# Usage: scripts/bench.sh [BUILD_DIR [CMAKE_OPTION...]]   (default build/bench), e.g. to measure
# what the hardening costs: bash scripts/bench.sh build/bench-unhardened -DVANTREL_HARDENING=OFF
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/bench}
bash scripts/setup.sh tests
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BENCH=ON -DVANTREL_TESTS=OFF "${@:2}" >/dev/null
cmake --build "$build" -j "$(nproc)"
out=$build/bench
export QT_QPA_PLATFORM=offscreen

echo "== rules tick (drawing calls do nothing)"
"$out/bench_rules" --benchmark_counters_tabular=true
echo
echo "== frame at 1920 x 1080 beside one fill of the 801 x 601 arena"
"$out/bench_frame" --benchmark_counters_tabular=true --benchmark_out="$out/frame.json" --benchmark_out_format=json
python3 - "$out/frame.json" <<'PY'
import json, sys
runs = {b["name"].split("/")[0]: b["cpu_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]}
print(f"frame / arena fill = {runs['WholeFrame1920x1080'] / runs['ArenaFill801x601']:.2f}")
PY
echo
echo "== tick timing of the game screen (offscreen)"
"$out/tick_timing" 4 2>/dev/null
echo
echo "== the whole program under Xvfb"
unset QT_QPA_PLATFORM
bash bench/whole_program.sh "$build/app/vantrel" 12
