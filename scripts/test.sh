#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test headless: first the optimised
# build, then the same suite under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
scripts/build.sh release
(cd build && ctest --output-on-failure --timeout 600 -j2)
if [ "${KALVER_SKIP_SANITIZE:-0}" != 1 ]; then
  scripts/build.sh sanitize
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  (cd build-asan && ctest --output-on-failure --timeout 900 -j2)
fi
