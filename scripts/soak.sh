#!/usr/bin/env bash
# The long runs of the reliability tests: the model-based test over many seeds with many
# operations each, the crash test with 200 kills, once in the chosen journal mode and
# once in each other mode worth comparing, and eight counters on one server book for minutes
# from several seeds. Prints the figures of every run.
#   SOAK_SEEDS (default 20), SOAK_STEPS (operations per seed, default 3000),
#   SOAK_KILLS (default 200), SOAK_COUNTER_SEEDS (default 3), SOAK_COUNTER_SECONDS (default 180)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake --build "$build" -j2 --target tests_reliability crashposter counter >/dev/null
tests="$build/tests/tests_reliability"
export QT_QPA_PLATFORM=offscreen
seeds=${SOAK_SEEDS:-20}
steps=${SOAK_STEPS:-3000}
kills=${SOAK_KILLS:-200}
failed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# The crash test's server book and the counters need the tests' server cluster (CTest starts
# it for the suite; here it is started unless it runs, and then stopped again).
cluster=/tmp/vesk-pg-$(printf %s "$(cd "$build" && pwd)" | md5sum | cut -c1-10)
if [ ! -f "$cluster/conninfo" ]; then
  bash scripts/pgcluster.sh start "$cluster"
  trap 'rm -f "$log"; bash scripts/pgcluster.sh stop "$cluster"' EXIT
fi

# Runs one test program invocation, prints the lines that carry figures or failures, and
# remembers a failure. A run without its figures ran no test (a filter that matches none
# passes): that is a failure too.
run() {
  local pattern=$1
  shift
  if ! "$@" >"$log" 2>&1; then
    failed=1
    cat "$log"
  fi
  if ! grep -E "$pattern" "$log"; then
    failed=1
    echo "no figures from: $*"
  fi
}

# Each invocation runs three seeds (the test's range); step the first seed by three.
for ((first = 1; first <= seeds; first += 3)); do
  VESK_MODEL_FIRST_SEED=$first VESK_MODEL_STEPS=$steps \
    run '^seed' "$tests" --gtest_filter='Seeds/ModelRun.*' --gtest_brief=1
done

# The chosen setting (WAL, synchronous=FULL, as the program opens the book), then the others
# the choice was weighed against. A kill ends the process, not the machine: all must survive.
# The chosen setting runs on both engines; the other settings are the embedded book's alone.
for pragmas in "" "PRAGMA synchronous=NORMAL" "PRAGMA journal_mode=DELETE"; do
  seed=$RANDOM
  engines='*'
  [ -n "$pragmas" ] && engines=Embedded
  echo "crash test, ${pragmas:-WAL with synchronous=FULL}, VESK_CRASH_SEED=$seed:"
  VESK_CRASH_PRAGMAS="$pragmas" VESK_CRASH_KILLS=$kills VESK_CRASH_SEED=$seed \
    run 'kills' "$tests" --gtest_filter="*/CrashTest.*/$engines" --gtest_brief=1
done
for ((i = 1; i <= ${SOAK_COUNTER_SEEDS:-3}; ++i)); do
  VESK_COUNTERS=8 VESK_COUNTERS_SECONDS=${SOAK_COUNTER_SECONDS:-180} VESK_COUNTERS_SEED=$RANDOM \
    run '^[0-9]+ (counters|operations|failed|cut)|^the counters' "$tests" \
    --gtest_filter='CountersTest.*' --gtest_brief=1
done
[ "$failed" = 0 ] && echo "soak: everything held" || echo "soak: FAILURES above"
exit "$failed"
