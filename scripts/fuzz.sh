#!/usr/bin/env bash
# Builds the libFuzzer target for the number rule and the decimal arithmetic with clang and
# runs it for a bounded time (FUZZ_SECONDS, default 120). Not part of the normal build or CI.
# Findings land in build-fuzz/findings/; the corpus grows in build-fuzz/corpus/.
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
mkdir -p "$out/corpus" "$out/findings"
for seed in 0 12.5 -0.25 1e5 1E-3 .5 5. +7 2.675 0.125 1e999 99999999999999999999999999999999999 \
            0.0000000000000000000000000000001 １２３; do
  printf '\0%s\n%s' "$seed" "$seed" >"$out/corpus/seed-$(printf '%s' "$seed" | md5sum | cut -c1-8)"
done
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I src $(pkg-config --cflags Qt6Core) \
  fuzz/numbers_fuzz.cpp src/core/decimal.cpp src/core/numbers.cpp \
  $(pkg-config --libs Qt6Core) -o "$out/numbers_fuzz"
"$out/numbers_fuzz" -max_total_time="$seconds" -max_len=256 -artifact_prefix="$out/findings/" \
  "$out/corpus"
