#!/usr/bin/env bash
# Pictures of every window as a 1024×768 screen shows it: starts Xvfb on a free display, opens
# each window through the main window's openers on a book of its own, and writes one PNG per
# window (plus the whole screen of the last one) into the folder given (default: shots/).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-shots}
build=${BUILD_DIR:-build}
cmake --build "$build" --target windowshots
display=${SHOTS_DISPLAY:-:57}
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb"' EXIT
sleep 1
runtime=$(mktemp -d)
chmod 700 "$runtime"
DISPLAY=$display XDG_RUNTIME_DIR=$runtime "$build/tests/windowshots" "$out"
echo "pictures in $out/"
