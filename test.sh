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
cd "$build"
status=0
ctest --output-on-failure -j"$(nproc)" || status=$?
"$root/scripts/report-skips.sh" Testing/Temporary/LastTest.log
exit "$status"
