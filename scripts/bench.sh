#!/usr/bin/env bash
# Builds in release mode, writes (or reuses) the book of ten years in bench/book/, and prints
# one row per operation: its median, its reference measured in the same run, and the ratio.
# Extra arguments go to the benchmark program (e.g. --benchmark_filter=post).
#
# scripts/bench.sh --server times the same operations on the same book kept on a PostgreSQL
# server: a private durable cluster in bench/book/pg (started for the run and stopped after it,
# whatever happens), into which the book is moved once and reused while its stamp matches. The
# run works on a copy of it (database "work"), then has 1, 2, 4 and 8 counters post sales at
# once (vesk-counters; BENCH_COUNTER_SECONDS per count, 10 unless set).
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
server=""
if [ "${1:-}" = --server ]; then
  server=bench/book/pg
  shift
fi
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  [ -n "$server" ] && scripts/pgcluster.sh down "$server"
  true
}
trap cleanup EXIT
trap 'exit 130' INT TERM
scripts/deps.sh
build=${BENCH_BUILD_DIR:-build-release}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DVESK_TESTS=OFF -DVESK_BENCH=ON
cmake --build "$build" -j2 --target vesk-bookgen vesk-bench vesk-probe vesk-bareprobe \
  ${server:+vesk-makedb vesk-counters}

"$build/bench/vesk-bookgen" bench/book

# The start-up and memory probes show real windows: on the given display, else on a private
# Xvfb that this script starts and ends.
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
if [ -z "${DISPLAY:-}" ]; then
  display=${BENCH_DISPLAY:-:17}
  # A display whose server died leaves its lock and socket behind: they are cleared, not used.
  lock=/tmp/.X${display#:}-lock
  if [ -e "$lock" ] && ! kill -0 "$(tr -d ' ' <"$lock")" 2>/dev/null; then
    rm -f "$lock" "/tmp/.X11-unix/X${display#:}"
  fi
  if [ ! -e "/tmp/.X11-unix/X${display#:}" ]; then
    Xvfb "$display" -screen 0 1440x900x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  fi
  export DISPLAY=$display
fi

status=0
if [ -z "$server" ]; then
  "$build/bench/vesk-bench" bench/book "$build/bench" "$@" 2>bench/book/progress.log || status=$?
else
  scripts/pgcluster.sh up "$server"
  cluster=$(cat "$server/conninfo")
  admin() { psql "$cluster dbname=postgres" -qAt -v ON_ERROR_STOP=1 -c "$1"; }
  # The server book follows the embedded book and the server's spelling of the schema.
  stamp="$(cat bench/book/book.stamp) server $(cat src/schema/*.sql src/schema/*.cpp |
    sha1sum | cut -c1-16)"
  if [ "$stamp" != "$(cat "$server/book.stamp" 2>/dev/null)" ]; then
    echo "moving the book onto the server..."
    rm -f "$server/book.stamp"
    admin "DROP DATABASE IF EXISTS book"
    admin "CREATE DATABASE book LOCALE 'C' ENCODING 'UTF8' TEMPLATE template0"
    moved=$SECONDS
    "$build/tools/vesk-makedb" --server "$cluster dbname=book" --from bench/book/kestdata.db
    psql "$cluster dbname=book" -qc "VACUUM ANALYZE"
    echo "moved in $((SECONDS - moved)) s"
    echo "$stamp" >"$server/book.stamp"
  fi
  # The writes go to a copy: the moved book stays as it was for the next run.
  admin "DROP DATABASE IF EXISTS work"
  admin "CREATE DATABASE work TEMPLATE book STRATEGY FILE_COPY"
  # A copy takes the tables but not the settings the book made for its database.
  for setting in $(admin "SELECT unnest(setconfig) FROM pg_db_role_setting WHERE setrole = 0 AND
                          setdatabase = (SELECT oid FROM pg_database WHERE datname = 'book')"); do
    admin "ALTER DATABASE work SET ${setting%%=*} = '${setting#*=}'"
  done
  "$build/bench/vesk-bench" --server "$cluster dbname=work" "$build/bench" "$@" \
    2>bench/book/progress.log || status=$?
  # Counters selling to customers at random, then every till to the casual customer.
  if [ "$status" = 0 ] || [ "$status" = 3 ]; then
    "$build/bench/vesk-counters" "$cluster dbname=work" "${BENCH_COUNTER_SECONDS:-10}" ||
      status=$?
  fi
  if [ "$status" = 0 ] || [ "$status" = 3 ]; then
    "$build/bench/vesk-counters" "$cluster dbname=work" "${BENCH_COUNTER_SECONDS:-10}" casual ||
      status=$?
  fi
  admin "DROP DATABASE IF EXISTS work"
fi
rm -rf bench/book/work
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'),"\
  "$(free -g | awk '/^Mem:/ {print $2}') GB; $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "bench.sh took $((SECONDS - started)) s"
case $status in
  0) ;;
  3) echo "Some targets are not met (rows marked NO); bench/RESULTS.md says why." ;;
  *) echo "vesk-bench failed ($status); see bench/book/progress.log"; exit $status ;;
esac
