#!/usr/bin/env bash
# The house-rules checker on scratch trees: each row is a file to add and
# whether the checker must then pass (0) or fail (1).
set -u
checker=${1:?path of check-rules.sh}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

rows=(
  "0|src/core/a.cpp|#include \"core/b.h\""
  "0|src/document/a.cpp|#include \"export/b.h\""
  "0|src/app/qt/w.cpp|#include <QWidget>"
  "0|src/app/qt/w.cpp|#include \"app/b.h\""
  "0|src/cli/main.cpp|#include \"app/b.h\""
  "1|src/core/a.cpp|#include \"platform/b.h\""
  "1|src/formats/a.cpp|#include \"document/b.h\""
  "1|src/export/a.cpp|#include \"formats/b.h\""
  "1|src/palette/a.cpp|#include \"tools/b.h\""
  "1|src/tools/a.h|#include \"app/b.h\""
  "1|src/app/a.cpp|#include \"app/qt/b.h\""
  "1|src/document/a.cpp|  #  include \"cli/b.h\""
  "1|src/app/a.cpp|#include <QString>"
  "1|src/newlayer/a.cpp|#include \"core/b.h\""
)
failures=0
for row in "${rows[@]}"; do
  IFS='|' read -r expected file line <<<"$row"
  rm -rf "$scratch/tree"; mkdir -p "$scratch/tree/$(dirname "$file")"
  printf '%s\n' "$line" >"$scratch/tree/$file"
  "$checker" "$scratch/tree" >"$scratch/out" 2>&1
  status=$?
  if [ "$status" -ne "$expected" ]; then
    echo "FAIL: $file with '$line': exit $status, expected $expected"; cat "$scratch/out"; failures=$((failures + 1))
  fi
done
[ $failures -eq 0 ] && echo "checker: ${#rows[@]} rows ok"
exit $((failures > 0))
