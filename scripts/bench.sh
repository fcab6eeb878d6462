#!/usr/bin/env bash
# Builds the benchmarks (optimised) and runs every benchmark executable under build/bench/bin, one
# after the other. Extra arguments go to each benchmark (e.g. --benchmark_filter=Ingest).
#   scripts/bench.sh [benchmark arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${KALVER_BUILD_DIR:-build}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVER_BENCH=ON >/dev/null
targets=$(cmake --build "$dir" --target help | sed -n 's/^\(bench_[A-Za-z0-9_]*\):.*/\1/p')
if [ -n "$targets" ]; then
  cmake --build "$dir" --parallel "$(nproc)" --target $targets
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
status=0
for bench in "$dir"/bench/bin/*; do
  [ -x "$bench" ] && [ -f "$bench" ] || continue
  echo "== $(basename "$bench")"
  "$bench" "$@" || status=1
done
exit $status
