#!/usr/bin/env bash
# Builds the desktop application and starts it, opening FILE when one is given.
# Only the editor and what it links are built here; the tests are test.sh's.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
mkdir -p build
echo "Building the editor in build/ (a first build takes a few minutes) ..."
if ! { cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
  cmake --build build -j"$(nproc)" --target vorlin; } >build/run-build.log 2>&1; then
  tail -n 40 build/run-build.log >&2
  echo "The build failed; the whole log is build/run-build.log." >&2
  exit 1
fi
exec build/vorlin "$@"
