#!/usr/bin/env bash
# Sets everything up, builds in Release and prints every performance figure: the rules' tick,
# the frame beside a plain arena fill (with their ratio), allocations per tick, the game
# screen's tick timing, and the whole program under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BENCH=ON -DVANTREL_TESTS=OFF >/dev/null
cmake --build build/bench -j "$(nproc)"
out=build/bench/bench
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
bash bench/whole_program.sh build/bench/app/vantrel 12
