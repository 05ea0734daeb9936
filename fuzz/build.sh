#!/usr/bin/env bash
# Builds one libFuzzer target per file reader into fuzz/out/ with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer. Not part of ./test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
out=fuzz/out
mkdir -p "$out"
flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -Isrc -Ifuzz)
engine=(src/core/packed_dib.cpp src/formats/byte_source.cpp src/formats/byte_sink.cpp
        src/formats/file_format.cpp src/formats/bmp_format.cpp src/formats/pcx_format.cpp
        src/formats/tga_format.cpp src/formats/png_format.cpp src/formats/palette_format.cpp)
for target in "${@:-bmp pcx tga png palette}"; do
  for name in $target; do
    clang++-14 "${flags[@]}" "fuzz/${name}_fuzzer.cpp" "${engine[@]}" -lpng -lz -o "$out/${name}_fuzzer"
    echo "built $out/${name}_fuzzer"
  done
done
