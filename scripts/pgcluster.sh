#!/usr/bin/env bash
# A private PostgreSQL cluster for the tests of the server book: no TCP port, its socket in
# its own folder, trusted local connections as the user postgres (the roles vesk_password and
# vesk_password_engine, when a test makes them, must give their password).
#   scripts/pgcluster.sh start DIR   writes DIR/conninfo once the server accepts connections
#   scripts/pgcluster.sh restart DIR stops it (ending every session) and starts it again
#   scripts/pgcluster.sh stop DIR    stops it and removes DIR
#   scripts/pgcluster.sh up DIR      starts a durable cluster in DIR (every commit flushed to
#                                    disk, as a shop's server runs), keeping the databases it
#                                    already holds: the benchmark's server book
#   scripts/pgcluster.sh down DIR    stops that cluster and keeps its databases
# The server refuses to run as root, so under root it runs as the system user postgres.
set -euo pipefail
action=${1:?start, restart, stop, up or down}
dir=$(realpath -m "${2:?cluster folder}")
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -x "$bin/pg_ctl" ] || { echo "PostgreSQL is not installed (scripts/deps.sh installs it)" >&2; exit 1; }

as_owner() {
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

# A new, empty cluster in the folder, owned by the server's user.
make_cluster() {
  rm -rf "$dir"
  mkdir -p "$dir"
  chmod 755 "$dir"
  [ "$(id -u)" = 0 ] && chown postgres: "$dir"
  as_owner "$bin/initdb" -D "$dir/data" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 \
    >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
  # Two roles must give their password, as a shop's server asks: the tests of asking for it.
  as_owner sed -i '1i local all vesk_password,vesk_password_engine scram-sha-256' "$dir/data/pg_hba.conf"
}

case $action in
start)
  if [ -f "$dir/conninfo" ] && as_owner "$bin/pg_ctl" -D "$dir/data" status >/dev/null 2>&1; then
    exit 0
  fi
  [ -d "$dir/data" ] && as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  make_cluster
  # Durability is not what these tests check; fsync off keeps a 2-core machine quick. A
  # standby that never comes holds the commit of a session that asks for synchronous commit
  # after it is made, until the session is ended: the connection lost with the commit made,
  # as a test arranges it. Every other session commits without waiting.
  as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
    -o "-c listen_addresses='' -k $dir -c fsync=off -c synchronous_commit=off -c max_connections=60 -c synchronous_standby_names=absent_standby" \
    start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
  echo "host=$dir user=postgres dbname=postgres" >"$dir/conninfo"
  ;;
restart)
  as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -m fast -w -t 60 restart >/dev/null ||
    { cat "$dir/server.log" >&2; exit 1; }
  ;;
up)
  if [ ! -f "$dir/data/PG_VERSION" ]; then
    make_cluster
  fi
  as_owner "$bin/pg_ctl" -D "$dir/data" status >/dev/null 2>&1 ||
    as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 300 \
      -o "-c listen_addresses='' -k $dir -c max_connections=60" start >/dev/null ||
    { tail -20 "$dir/server.log" >&2; exit 1; }
  echo "host=$dir user=postgres" >"$dir/conninfo"
  ;;
down)
  [ -d "$dir/data" ] && as_owner "$bin/pg_ctl" -D "$dir/data" -m fast -w -t 300 stop >/dev/null 2>&1 || true
  ;;
stop)
  [ -d "$dir/data" ] && as_owner "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
  rm -rf "$dir"
  ;;
*)
  echo "usage: $0 start|restart|stop|up|down DIR" >&2
  exit 2
  ;;
esac
