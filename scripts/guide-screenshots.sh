#!/usr/bin/env bash
# Draws every picture of the operator's guide (docs/guide.md) into docs/guide/, afresh, through the
# program's own windows against the demonstration cluster, with the shipped visual style applied as the
# program applies it, on a virtual display of 1920 x 1200:
#
#   scripts/guide-screenshots.sh
#
# Builds the tool (tests/guide/GuideScreenshots.cpp) in build/ (or KALVER_GUIDE_BUILD_DIR), configuring
# that folder first when it holds no build. The demonstration cluster listens at the default ports on
# the loopback addresses 127.0.0.1 to 127.0.0.4 (racks on TCP port 20428, sync servers on 13001):
# nothing else may hold them during the run, which takes a few minutes. Only a complete run replaces
# the pictures; pictures that the tool no longer draws are removed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${KALVER_GUIDE_BUILD_DIR:-$root/build}
out=$root/docs/guide

if [[ ! -f $build/build.ninja ]]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
else
  # Configured again, so that a build folder from before the tool existed learns its target.
  cmake -S "$root" -B "$build" >/dev/null
fi
cmake --build "$build" --parallel 2 --target guide_screenshots

mkdir -p "$out"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
xvfb-run -a -s "-screen 0 1920x1200x24" "$build/tests/bin/guide_screenshots" "$scratch"
rm -f "$out"/*.png
cp "$scratch"/*.png "$out"/
echo "pictures written to $out"
