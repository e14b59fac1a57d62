#!/usr/bin/env bash
# Configures and builds into build/ (or the folder in BUILD_DIR): every target, or only those
# named in BUILD_TARGET. Compiles through ccache where it is installed. Arguments go to the
# first configuration.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
  export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
fi
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" "${generator[@]}" "$@"
targets=()
for target in ${BUILD_TARGET:-}; do targets+=(--target "$target"); done
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
