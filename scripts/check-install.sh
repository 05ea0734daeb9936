#!/usr/bin/env bash
# Installs BUILD_DIR into a scratch prefix and checks what a desktop user gets: the programs,
# their shipped files, the launcher, icons, metainfo, man pages and shell completion. The
# launcher, metainfo and the Debian package go through their standard validators when those are
# installed.
set -euo pipefail
build=$1
id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

expected=(
  bin/vorlin-cli
  share/vorlin/vorlin.pal share/vorlin/manual.md share/vorlin/console-check.png
  "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$id.svg"
  share/man/man1/vorlin.1.gz share/man/man1/vorlin-cli.1.gz
  share/doc/vorlin/copyright share/doc/vorlin/changelog.gz
  share/bash-completion/completions/vorlin-cli
)
[ -e "$build/vorlin" ] && expected+=(bin/vorlin)
for file in "${expected[@]}"; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
for file in bin/vorlin bin/vorlin-cli; do
  [ ! -e "$prefix/$file" ] || [ -x "$prefix/$file" ] || fail "$file is not executable"
done

# Each bitmap icon is as large as the theme folder it is in says (PNG width and height).
for size in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  if [ ! -s "$icon" ]; then
    fail "no ${size}x${size} icon"
    continue
  fi
  read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$icon")
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "${size}x${size} icon is ${w}x${h}"
done

desktop="$prefix/share/applications/$id.desktop"
grep -qx "Exec=vorlin %f" "$desktop" || fail "the launcher does not start vorlin"
grep -qx "Icon=$id" "$desktop" || fail "the launcher names another icon"
"$prefix/bin/vorlin-cli" --help >/dev/null || fail "the installed vorlin-cli does not run"

validated=()
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
  validated+=(desktop-file-validate)
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate"
  validated+=(appstreamcli)
fi
if command -v groff >/dev/null; then
  for page in "$prefix"/share/man/man1/*.1.gz; do
    warnings=$(gzip -dc "$page" | groff -man -ww -z 2>&1)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  done
  validated+=(groff)
fi
# The completion offers every option each command's --help names, and the fixed values.
cli="$prefix/bin/vorlin-cli"
complete_words() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
           _vorlin_cli; printf "%s\n" "${COMPREPLY[@]}"' sh \
    "$prefix/share/bash-completion/completions/vorlin-cli" vorlin-cli "$@"
}
for command in export convert info reduce compress decompress banks; do
  offered=$(complete_words "$command" --)
  for option in $("$cli" "$command" --help | grep -o -- '--[a-z0-9-]*' | sort -u); do
    grep -qx -- "$option" <<<"$offered" || fail "completion of $command lacks $option"
  done
done
[ "$(complete_words ex)" = export ] || fail "completion does not offer the export command"
[ "$(complete_words export --img-cprs l)" = lz77 ] || fail "completion does not offer lz77"
[ "$(complete_words convert --bpp 2)" = 24 ] || fail "completion offers convert's depths wrongly"
[ "$(complete_words compress h)" = huff ] || fail "completion does not offer compress's formats"

# The changelog's trailer names a maintainer with an address, even where lintian is missing.
trailer=$(gzip -dc "$prefix/share/doc/vorlin/changelog.gz" | grep '^ -- ' || true)
grep -Eq '^ -- [^ <].* <[^>]+@[^>]+>  [A-Z][a-z]{2}, [0-9]{2} [A-Z][a-z]{2} [0-9]{4} ' <<<"$trailer" ||
  fail "changelog trailer is malformed: '$trailer'"

# The Debian package of the same build: lintian may report neither an error nor a warning.
if command -v lintian >/dev/null && command -v cpack >/dev/null && command -v dpkg-shlibdeps >/dev/null; then
  debs=$(mktemp -d)
  trap 'rm -rf "$prefix" "$debs"' EXIT
  if (cd "$debs" && cpack -G DEB --config "$(cd "$build" && pwd)/CPackConfig.cmake" -B "$debs" >cpack.log 2>&1); then
    deb=$(ls "$debs"/*.deb)
    lintian --fail-on error,warning --tag-display-limit 0 "$deb" || fail "lintian $(basename "$deb")"
    validated+=(lintian)
  else
    fail "cpack could not make the package: $(tail -5 "$debs/cpack.log")"
  fi
fi
echo "checked the install layout; validated with: ${validated[*]:-nothing (no validators installed)}"
[ "$failures" -eq 0 ]
