#!/usr/bin/env bash
# The one test command: install dependencies, build with sanitizers, run every test.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD

scripts/install-deps.sh

build=${VORLIN_TEST_BUILD_DIR:-build-test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORLIN_SANITIZE=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
status=0
(cd "$build" && ctest --output-on-failure -j"$(nproc)") || status=$?
scripts/report-skips.sh "$build/Testing/Temporary/LastTest.log"

# The fuzz targets are only compiled and linked here, so they cannot rot; fuzz/run.sh runs them.
if [ "$status" -eq 0 ] && command -v clang++ >/dev/null; then
  fuzz/build.sh >/dev/null || status=$?
  [ "$status" -eq 0 ] && echo "fuzz targets: built"
fi
exit "$status"
