#!/usr/bin/env bash
# Builds the Debian package: a release build of the program and its empty book (no tests)
# in build-package/ (or PACKAGE_BUILD_DIR), then CPack. Prints the package's path; install it
# with: sudo apt install ./build-package/vesk_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${PACKAGE_BUILD_DIR:-build-package}
BUILD_DIR=$build scripts/build.sh -DCMAKE_BUILD_TYPE=Release -DVESK_TESTS=OFF
(cd "$build" && cpack -G DEB >/dev/null)
ls "$PWD/$build"/vesk_*.deb
