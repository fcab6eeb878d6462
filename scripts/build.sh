#!/usr/bin/env bash
# Configures and builds the client, the demonstration cluster, the tests and the benchmarks.
#   scripts/build.sh            -> build/        (optimised, with debug information)
#   scripts/build.sh sanitize   -> build-asan/   (AddressSanitizer + UndefinedBehaviorSanitizer)
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-release}
case "$kind" in
  release)  dir=build;      flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  sanitize) dir=build-asan; flags=(-DCMAKE_BUILD_TYPE=Debug -DKALVER_SANITIZE=ON -DKALVER_BENCH=OFF) ;;
  *) echo "usage: $0 [release|sanitize]" >&2; exit 2 ;;
esac
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
