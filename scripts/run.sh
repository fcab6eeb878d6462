#!/usr/bin/env bash
# Installs what the client needs, builds it and starts it; the client starts the demonstration cluster.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
exec build/program/KalverClient "$@"
