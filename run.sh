#!/usr/bin/env bash
# Builds the desktop application and starts it, opening FILE when one is given.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
if [ -x build/vorlin ]; then
  exec build/vorlin "$@"
fi
echo "The desktop application is not built yet; the engine and its tests are in build/." >&2
