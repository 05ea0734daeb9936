#!/usr/bin/env bash
# House rules: the engine never includes Qt, and nothing in the tree cites the design notes it came from.
set -u
root=${1:-$(dirname "$0")/..}
cd "$root" || exit 2
fail=0

qt_leak=$(grep -rlE '#\s*include\s*[<"]Q[A-Za-z]+' src 2>/dev/null | grep -v '/qt/' | grep -v '^src/app/qt/main.cpp$')
if [ -n "$qt_leak" ]; then
  echo "Qt included outside a qt/ folder:"; echo "$qt_leak"; fail=1
fi

words=$(grep -rnIiE '\bspec(ification)?s?\b|\bPart [1-7]\.[0-9]' src tests bench data docs README.md scripts 2>/dev/null \
        | grep -v '^scripts/check-rules.sh:')
if [ -n "$words" ]; then
  echo "References to the source document found:"; echo "$words"; fail=1
fi
[ $fail -eq 0 ] && echo "house rules: ok"
exit $fail
