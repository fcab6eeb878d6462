#!/usr/bin/env bash
# Builds the Debian package kalver-client_<version>_<arch>.deb: an optimised build of what the package
# holds (the client, the demonstration cluster, the icon) in build-package/, then CPack's DEB generator
# (run-time dependencies computed from the binaries by dpkg-shlibdeps). Prints the package's path last.
#   scripts/package.sh
# KALVER_PACKAGE_BUILD_DIR chooses another build folder; KALVER_PACKAGE_CMAKE_ARGS adds configure options.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
dir=${KALVER_PACKAGE_BUILD_DIR:-build-package}
# -O2, as Debian builds its packages.
# shellcheck disable=SC2086
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DKALVER_TESTS=OFF -DKALVER_BENCH=OFF \
  ${KALVER_PACKAGE_CMAKE_ARGS:-} >/dev/null
cmake --build "$dir" --parallel "$(nproc)" --target kalver_package_contents
rm -f "$dir"/package/kalver-client_*.deb
log=$(realpath "$dir")/cpack.log
if ! (cd "$dir" && cpack -G DEB >"$log" 2>&1); then
  cat "$log" >&2
  exit 1
fi
debs=("$dir"/package/kalver-client_*.deb)
[ -f "${debs[0]}" ] || { echo "package.sh: CPack made no package" >&2; exit 1; }
realpath "${debs[0]}"
