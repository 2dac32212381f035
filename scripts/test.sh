#!/usr/bin/env bash
# The test command: installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole suite with ctest. Where clang is present
# it also builds the libFuzzer targets and runs each for a short, bounded time.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

jobs=$(nproc 2>/dev/null || echo 2)
build="$root/build/test"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORV_SANITIZE=ON >/dev/null
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen

# The fuzzers run first; the suite runs whatever they find, and the command fails if
# either failed.
fuzz_status=0
if command -v clang++ >/dev/null 2>&1; then
  "$root/scripts/fuzz.sh" "${ORV_FUZZ_SECONDS:-15}" || fuzz_status=$?
fi

# The PostgreSQL entries (label postgresql) skip here; they run below on a cluster of
# their own when PostgreSQL is installed.
ctest --test-dir "$build" --output-on-failure -j "$jobs" -LE postgresql

# A throwaway cluster in a temporary folder: Unix socket in that folder only (no TCP),
# no fsync, removed on exit. initdb refuses to run as root, so it runs as postgres then.
pg_bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -n "$pg_bin" ] && [ -x "$pg_bin/initdb" ]; then
  pg_dir=$(mktemp -d /tmp/orv-pg.XXXXXX)
  as_pg=()
  if [ "$(id -u)" -eq 0 ]; then
    chown postgres "$pg_dir"
    as_pg=(runuser -u postgres --)
  fi
  stop_cluster() {
    "${as_pg[@]}" "$pg_bin/pg_ctl" -D "$pg_dir/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$pg_dir"
  }
  trap stop_cluster EXIT
  "${as_pg[@]}" "$pg_bin/initdb" -D "$pg_dir/data" -U postgres -A trust -E UTF8 --locale=C >/dev/null
  "${as_pg[@]}" "$pg_bin/pg_ctl" -D "$pg_dir/data" -l "$pg_dir/log" -w \
    -o "-c listen_addresses='' -k $pg_dir -c fsync=off -c max_connections=300" start >/dev/null
  pg_started=$SECONDS
  ORV_TEST_PG_URL="postgresql:///postgres?host=$pg_dir&user=postgres" \
    ctest --test-dir "$build" --output-on-failure -j "$jobs" -L postgresql
  echo "PostgreSQL pass: $((SECONDS - pg_started)) s"
fi

if [ "$fuzz_status" -ne 0 ]; then
  echo "The fuzzers found a failure (see above); findings are in build/fuzz/crashes."
  exit "$fuzz_status"
fi
