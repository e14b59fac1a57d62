#!/usr/bin/env bash
# Installs what is missing, builds the program and its book (not the tests), and starts it on
# the book beside it in build/bin/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
BUILD_TARGET=vesk scripts/build.sh
exec "${BUILD_DIR:-build}/bin/vesk" "$@"
