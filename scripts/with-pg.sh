#!/usr/bin/env bash
# with-pg.sh COMMAND...: runs COMMAND with a private PostgreSQL server for the
# tests, named in QUILL_TEST_PG. The server lives in a temporary folder, runs as
# the postgres system user, listens on 127.0.0.1 only, on a free port, and is
# stopped when the command ends, whatever happens. If QUILL_TEST_PG is already
# set, that server is used as it is. Under CI=true a server that cannot start
# fails the run; elsewhere the PostgreSQL tests then skip.
set -uo pipefail

if [ -n "${QUILL_TEST_PG:-}" ]; then
  exec "$@"
fi

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
fail_or_skip() {
  echo "with-pg: $1" >&2
  if [ "${CI:-}" = "true" ]; then exit 1; fi
  echo "with-pg: running without PostgreSQL; its tests skip" >&2
  exec "$@"
}
[ -x "$bindir/initdb" ] || fail_or_skip "no PostgreSQL server installed"

run_as_pg() {
  if [ "$(id -un)" = "postgres" ]; then "$@"
  elif [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"
  else sudo -u postgres "$@"; fi
}

dir=$(mktemp -d /tmp/quill-pg.XXXXXX)
chmod 755 "$dir"
chown postgres:postgres "$dir" 2>/dev/null || true
stop() {
  run_as_pg "$bindir/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$dir"
}
trap stop EXIT
trap 'exit 130' INT TERM

port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

if ! run_as_pg "$bindir/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --no-locale \
     >"$dir/initdb.log" 2>&1; then
  cat "$dir/initdb.log" >&2
  fail_or_skip "initdb failed" "$@"
fi

started=
for _ in $(seq 1 20); do
  port=$(( 20000 + RANDOM % 40000 ))
  port_free "$port" || continue
  if run_as_pg "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
       -o "-h 127.0.0.1 -p $port -k $dir -c fsync=off -c max_connections=200" start >/dev/null; then
    started=1
    break
  fi
done
if [ -z "$started" ]; then
  cat "$dir/server.log" >&2 2>/dev/null
  fail_or_skip "the PostgreSQL server did not start" "$@"
fi

export QUILL_TEST_PG="host=127.0.0.1 port=$port dbname=postgres user=postgres"
echo "with-pg: PostgreSQL on 127.0.0.1:$port"
"$@"
