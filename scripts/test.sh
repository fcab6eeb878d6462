#!/usr/bin/env bash
# Installs what the tests need, builds everything once under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the whole suite headless there, then the package test
# (scripts/test-package.sh: builds the optimised Debian package, installs it, runs the installed client
# against its demonstration cluster, removes it). Prints how long each step took and a summary; the exit
# status is 1 when any step failed.
#   KALVER_SKIP_PACKAGE=1 scripts/test.sh    the suite only (the package test needs root and a machine
#                                            without an installed kalver-client)
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

summary=()
status=0
step() {
  local name=$1; shift
  local start=$SECONDS
  echo "== $name"
  if "$@"; then
    summary+=("$(printf '%-34s passed  %4d s' "$name" $((SECONDS - start)))")
  else
    summary+=("$(printf '%-34s FAILED  %4d s' "$name" $((SECONDS - start)))")
    status=1
    return 1
  fi
}

suite() { (cd build-asan && ctest --output-on-failure -j2 --timeout 300); }
if step "build (ASan + UBSan)" scripts/build.sh sanitize; then
  step "test suite (ASan + UBSan)" suite
fi
if [ "${KALVER_SKIP_PACKAGE:-0}" = 1 ]; then
  summary+=("$(printf '%-34s SKIPPED (KALVER_SKIP_PACKAGE=1)' "package test")")
else
  step "package test" scripts/test-package.sh
fi

echo "== summary (load $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores)"
printf '%s\n' "${summary[@]}"
exit $status
