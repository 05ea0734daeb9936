#!/usr/bin/env bash
# Runs each reader's fuzz target for SECONDS (default 600) one after another,
# seeded with the shared test files of its format; logs go to fuzz/out/<name>.log.
# A single allocation above 64 MiB is a finding: a reader believed a header
# (or, for PNG, the input is a real deflate bomb; read the artifact). The RSS
# cap leaves room for libFuzzer's own tables and a small ASan quarantine.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${SECONDS_PER_TARGET:-600}
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16}
data=${VORLIN_TESTDATA:-../shared/testdata}
declare -A patterns=([bmp]='*.bmp' [pcx]='*.pcx' [tga]='*.tga' [png]='*.png' [palette]="*.pal" [palette_layouts]="*.gpl" [clipboard]="*.bmp" [import]="*.gbfs")
for name in "${@:-bmp pcx tga png palette palette_layouts clipboard import}"; do
  for target in $name; do
    corpus=fuzz/out/corpus-$target
    mkdir -p "$corpus"
    find "$data" -iname "${patterns[$target]}" -size -200k -exec cp -n {} "$corpus"/ \; 2>/dev/null || true
    nice -n 10 ${VORLIN_FUZZ_BUILD_DIR:-build-fuzz}/fuzz/${target}_fuzzer -max_total_time="$seconds" -rss_limit_mb=256 -malloc_limit_mb=64 \
      -artifact_prefix=fuzz/out/$target- "$corpus" > fuzz/out/$target.log 2>&1 || echo "$target: finding, see fuzz/out/$target.log"
    tail -n 3 fuzz/out/$target.log
  done
done
