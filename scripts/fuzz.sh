#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 60), starting from its seed corpus. Findings are written to build/fuzz/crashes.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$root/build/fuzz"
jobs=$(nproc 2>/dev/null || echo 2)

CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORV_SANITIZE=ON -DORV_BUILD_FUZZ=ON -DORV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target orv_fuzz_targets

mkdir -p "$build/crashes"
status=0
for target in "$build"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$root/fuzz/corpus/${name#fuzz_}"
  work="$build/corpus/${name#fuzz_}"
  mkdir -p "$work"
  echo "fuzzing $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
       -artifact_prefix="$build/crashes/$name-" -print_final_stats=0 \
       "$work" "$corpus" >"$build/$name.log" 2>&1; then
    echo "$name found a failure:"; tail -n 40 "$build/$name.log"
    status=1
  fi
done
exit $status
