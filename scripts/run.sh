#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the book beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
exec "${BUILD_DIR:-build}/bin/vesk" "$@"
