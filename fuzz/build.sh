#!/usr/bin/env bash
# Builds every libFuzzer target with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/fuzz/ (fuzz/run.sh runs them).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VORLIN_FUZZ_BUILD_DIR:-build-fuzz}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DVORLIN_BUILD_FUZZ=ON -DVORLIN_BUILD_GUI=OFF \
  -DVORLIN_BUILD_BENCH=OFF -DVORLIN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target vorlin_fuzzers
echo "fuzz targets in $build/fuzz/"
