#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitizers/
# and runs the whole suite there: a memory fault or undefined behaviour ends its test. Some 40
# minutes on two cores; not part of scripts/test.sh. Leaks are not reported: Qt and fontconfig
# keep what they load until the process ends. The package test is left out: it would package
# and install this build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
sanitizers="-fsanitize=address,undefined"
BUILD_DIR=build-sanitizers scripts/build.sh -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="$sanitizers -fno-sanitize-recover=undefined -fno-omit-frame-pointer -O1" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" -DCMAKE_SHARED_LINKER_FLAGS="$sanitizers"
cd build-sanitizers
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
ctest -j"$(nproc)" --output-on-failure -E '^Package\.'
