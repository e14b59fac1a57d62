#!/usr/bin/env bash
# Builds in release mode, writes (or reuses) the book of ten years in bench/book/, and prints
# one row per operation: its median, its reference measured in the same run, and the ratio.
# Extra arguments go to the benchmark program (e.g. --benchmark_filter=post).
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
scripts/deps.sh
build=${BENCH_BUILD_DIR:-build-release}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DVESK_TESTS=OFF -DVESK_BENCH=ON
cmake --build "$build" -j2 --target vesk-bookgen vesk-bench vesk-probe vesk-bareprobe

"$build/bench/vesk-bookgen" bench/book

# The start-up and memory probes show real windows: on the given display, else on a private
# Xvfb that this script starts and ends.
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
xvfb=""
if [ -z "${DISPLAY:-}" ]; then
  display=${BENCH_DISPLAY:-:17}
  if [ ! -e "/tmp/.X11-unix/X${display#:}" ]; then
    Xvfb "$display" -screen 0 1440x900x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true' EXIT
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  fi
  export DISPLAY=$display
fi

status=0
"$build/bench/vesk-bench" bench/book "$build/bench" "$@" 2>bench/book/progress.log || status=$?
rm -rf bench/book/work
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'),"\
  "$(free -g | awk '/^Mem:/ {print $2}') GB; $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "bench.sh took $((SECONDS - started)) s"
case $status in
  0) ;;
  3) echo "Some targets are not met (rows marked NO); bench/RESULTS.md says why." ;;
  *) echo "vesk-bench failed ($status); see bench/book/progress.log"; exit $status ;;
esac
