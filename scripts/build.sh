#!/usr/bin/env bash
# Configures and builds the project.
#   scripts/build.sh            -> build/       the program (client, demonstration cluster, data files),
#                                               optimised with debug information: what scripts/run.sh and
#                                               scripts/soak.sh start
#   scripts/build.sh sanitize   -> build-asan/  everything (the tests, the benchmarks compiled but not
#                                               run) under AddressSanitizer + UndefinedBehaviorSanitizer,
#                                               with line tables only (-g1: stack traces, smaller objects)
# Extra arguments are build targets (default: the ones above).
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-release}
shift || true
case "$kind" in
  release)  dir=build;      flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo); targets=(KalverClient kalver_demo_server kalver_resources) ;;
  sanitize) dir=build-asan; flags=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DKALVER_SANITIZE=ON -DKALVER_BENCH=ON)
            targets=(all) ;;
  *) echo "usage: $0 [release|sanitize] [targets...]" >&2; exit 2 ;;
esac
[ $# -gt 0 ] && targets=("$@")
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)" --target "${targets[@]}"
