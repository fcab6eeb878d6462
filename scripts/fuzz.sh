#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) in build-fuzz/ and runs each for a given number
# of seconds, printing its exec count. New inputs go to build-fuzz/fuzz/corpus/<target>/; a crash
# leaves its input in build-fuzz/fuzz/findings/<target>/ (copy it into the target's seed folder once
# fixed, so that the test suite replays it).
#   scripts/fuzz.sh [seconds per target, default 60] [target...]
# KALVER_FUZZ_BUILD_DIR chooses another build folder (default build-fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
dir=${KALVER_FUZZ_BUILD_DIR:-build-fuzz}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVER_FUZZ=ON -DKALVER_BENCH=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for env in "$dir"/fuzz/targets/*.env; do
    [ -f "$env" ] && targets+=("$(basename "$env" .env)")
  done
fi
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets" >&2
  exit 1
fi
cmake --build "$dir" --parallel "$(nproc)" --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for target in "${targets[@]}"; do
  seeds="" dict=""
  # shellcheck disable=SC1090
  . "$dir/fuzz/targets/$target.env"
  corpus="$dir/fuzz/corpus/$target"
  findings="$dir/fuzz/findings/$target"
  mkdir -p "$corpus" "$findings"
  args=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/")
  [ -n "$dict" ] && args+=(-dict="$dict")
  log="$dir/fuzz/$target.log"
  echo "== $target: $seconds s"
  # shellcheck disable=SC2086
  if "$dir/fuzz/bin/$target" "${args[@]}" "$corpus" $seeds >"$log" 2>&1; then
    result="no finding"
  else
    result="FINDING (see $log and $findings/)"
    status=1
  fi
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  echo "   $result; ${execs:-?} executions (${rate:-?}/s); corpus $(ls "$corpus" | wc -l) inputs"
done
exit $status
