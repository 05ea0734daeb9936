#!/usr/bin/env bash
# House rules: includes point down the layers only, the engine never includes
# Qt, and nothing in the tree cites the design notes it came from.
set -u
root=${1:-$(dirname "$0")/..}
cd "$root" || exit 2
fail=0

# Which folders each layer may include besides its own (the order in docs/architecture.md).
declare -A allowed=(
  [core]=""
  [platform]="core"
  [formats]="core platform"
  [export]="core platform"
  [document]="core platform formats export"
  [palette]="core platform formats export document"
  [tools]="core platform formats export document"
  [app]="core platform formats export document palette tools"
  [app/qt]="core platform formats export document palette tools app"
  [cli]="core platform formats export document palette tools app"
)

layer_of() {  # src/app/qt/x.cpp -> app/qt, src/tools/x.h -> tools
  local rel=${1#src/}
  case $rel in app/qt/*) echo app/qt ;; *) echo "${rel%%/*}" ;; esac
}

upward=""
while IFS= read -r file; do
  layer=$(layer_of "$file")
  [ -n "${allowed[$layer]+set}" ] || { upward+="$file: folder '$layer' is not in the layer table"$'\n'; continue; }
  while IFS= read -r target; do
    [ "$target" = "$layer" ] && continue
    case " ${allowed[$layer]} " in *" $target "*) continue ;; esac
    upward+="$file includes $target/ (a $layer file may include: ${allowed[$layer]:-nothing else})"$'\n'
  done < <(sed -nE 's@^\s*#\s*include\s*"((app/qt)|[a-z_]+)/.*@\1@p' "$file" | sort -u)
done < <(find src -name '*.h' -o -name '*.cpp' | sort)
if [ -n "$upward" ]; then
  echo "Includes that point up the layers:"; printf '%s' "$upward"; fail=1
fi

qt_leak=$(grep -rlE '#\s*include\s*[<"]Q[A-Za-z]+' src 2>/dev/null | grep -v '/qt/')
if [ -n "$qt_leak" ]; then
  echo "Qt included outside a qt/ folder:"; echo "$qt_leak"; fail=1
fi

words=$(grep -rnIiE '\bspec(ification)?s?\b|\bPart [1-7]\.[0-9]' src tests bench data docs README.md scripts examples 2>/dev/null \
        | grep -v '^scripts/check-rules.sh:')
if [ -n "$words" ]; then
  echo "References to the source document found:"; echo "$words"; fail=1
fi
[ $fail -eq 0 ] && echo "house rules: ok"
exit $fail
