#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
cd "${BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
ctest -j"$(nproc)" --output-on-failure
