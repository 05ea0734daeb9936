#!/usr/bin/env bash
# Runs each reader's fuzz target for SECONDS (default 600) one after another,
# seeded with the shared test files of its format; logs go to fuzz/out/<name>.log.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${SECONDS_PER_TARGET:-600}
data=${VORLIN_TESTDATA:-../shared/testdata}
declare -A patterns=([bmp]='*.bmp' [pcx]='*.pcx' [tga]='*.tga' [png]='*.png' [palette]="*.pal" [clipboard]="*.bmp")
for name in "${@:-bmp pcx tga png palette clipboard}"; do
  for target in $name; do
    corpus=fuzz/out/corpus-$target
    mkdir -p "$corpus"
    find "$data" -iname "${patterns[$target]}" -size -200k -exec cp -n {} "$corpus"/ \; 2>/dev/null || true
    nice -n 10 ${VORLIN_FUZZ_BUILD_DIR:-build-fuzz}/fuzz/${target}_fuzzer -max_total_time="$seconds" -rss_limit_mb=2048 \
      -artifact_prefix=fuzz/out/$target- "$corpus" > fuzz/out/$target.log 2>&1 || echo "$target: finding, see fuzz/out/$target.log"
    tail -n 3 fuzz/out/$target.log
  done
done
