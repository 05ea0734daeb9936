#!/usr/bin/env bash
# Says why tests were skipped: ctest lists skipped tests by name only, and the reason
# (GTEST_SKIP's message) is in its log. One line per reason, with the number of tests.
set -euo pipefail
log=${1:-Testing/Temporary/LastTest.log}
[ -f "$log" ] || exit 0
reasons=$(awk '/: Skipped$/ { if ((getline line) > 0 && line != "" && line !~ /^\[/) print line; else print "(no reason given)" }' "$log" |
  sort | uniq -c | sort -rn)
[ -n "$reasons" ] || exit 0
echo "Skipped tests, by reason:"
echo "$reasons"
if grep -q "no shared test data" <<<"$reasons"; then
  echo "(The shared test data is read from ../shared/testdata beside the checkout; see README.md.)"
fi
