#!/usr/bin/env bash
# Installs what the client needs, builds it and starts it; the client starts the demonstration cluster.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
# Started from its own folder: the relative folders of the settings (journal, "Charge/") live there.
cd build/program
exec ./KalverClient "$@"
