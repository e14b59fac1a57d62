#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (FUZZ_SECONDS,
# default 120): the number rule and the decimal arithmetic (numbers), and the readers of the
# spreadsheets a person imports (sheet). FUZZ_TARGETS chooses some ("sheet"); default both.
# Not part of the normal build or CI. Findings land in build-fuzz/findings/; the corpora grow
# in build-fuzz/corpus/ and build-fuzz/sheet-corpus/.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz
if ! command -v clang++ >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null |
  grep -q "install ok installed"; then
  sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq clang libclang-rt-14-dev
fi
seconds=${FUZZ_SECONDS:-120}
targets=${FUZZ_TARGETS:-numbers sheet}
mkdir -p "$out/corpus" "$out/sheet-corpus" "$out/findings"
flags=(-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
  -I src $(pkg-config --cflags Qt6Core))

for target in $targets; do
  case $target in
  numbers)
    for seed in 0 12.5 -0.25 1e5 1E-3 .5 5. +7 2.675 0.125 1e999 \
                99999999999999999999999999999999999 0.0000000000000000000000000000001 １２３; do
      printf '\0%s\n%s' "$seed" "$seed" >"$out/corpus/seed-$(printf '%s' "$seed" | md5sum | cut -c1-8)"
    done
    clang++ "${flags[@]}" fuzz/numbers_fuzz.cpp src/core/decimal.cpp src/core/numbers.cpp \
      $(pkg-config --libs Qt6Core) -o "$out/numbers_fuzz"
    "$out/numbers_fuzz" -max_total_time="$seconds" -max_len=256 -artifact_prefix="$out/findings/" \
      "$out/corpus"
    ;;
  sheet)
    clang++ -std=c++20 -O1 -fPIC $(pkg-config --cflags Qt6Core xlsxwriter) fuzz/sheet_seeds.cpp \
      $(pkg-config --libs Qt6Core xlsxwriter) -o "$out/sheet_seeds"
    "$out/sheet_seeds" "$out/sheet-corpus"
    clang++ "${flags[@]}" $(pkg-config --cflags minizip) fuzz/sheet_fuzz.cpp \
      src/masterdata/xlsxreader.cpp src/masterdata/zipparts.cpp src/masterdata/csvreader.cpp \
      src/core/decimal.cpp src/core/numbers.cpp \
      $(pkg-config --libs Qt6Core minizip) -o "$out/sheet_fuzz"
    "$out/sheet_fuzz" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=4096 \
      -artifact_prefix="$out/findings/sheet-" "$out/sheet-corpus"
    ;;
  *)
    echo "unknown fuzz target: $target" >&2
    exit 2
    ;;
  esac
done
