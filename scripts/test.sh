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

ctest --test-dir "$build" --output-on-failure -j "$jobs"
if [ "$fuzz_status" -ne 0 ]; then
  echo "The fuzzers found a failure (see above); findings are in build/fuzz/crashes."
  exit "$fuzz_status"
fi
