#!/usr/bin/env bash
# Configures and builds into build/ (or the folder in BUILD_DIR): every target, or only those
# named in BUILD_TARGET. Arguments go to the first configuration.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
# A compiler cache makes a rebuild after a pull, and CI's build on the same machine, quick.
command -v ccache >/dev/null && generator+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" "${generator[@]}" "$@"
targets=()
for target in ${BUILD_TARGET:-}; do targets+=(--target "$target"); done
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
