#!/usr/bin/env bash
# Regenerates docs/screenshot.png: the editor on a virtual X display with a
# sample picture, both bars docked, grabbed by ImageMagick's import.
# Usage: scripts/screenshot.sh [EDITOR] [PICTURE]   (needs Xvfb and ImageMagick)
set -euo pipefail
cd "$(dirname "$0")/.."
app=${1:-build/vorlin}
picture=${2:-examples/gba-sprites/art/backdrop.png}
display=:${VORLIN_SHOT_DISPLAY:-97}
ini=$(mktemp)
# The picture fitted to the view (View > Fit) with the tile grid only.
printf '[mainview]\ngrid=0\ntile=1\nfitnew=1\n' >"$ini"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$ini"' EXIT
sleep 1
DISPLAY=$display VORLIN_INI=$ini "$app" -geometry 1024x768+0+0 "$picture" &
editor=$!
sleep "${VORLIN_SHOT_WAIT:-5}"
DISPLAY=$display import -window root docs/screenshot.png
kill $editor 2>/dev/null || true
echo "docs/screenshot.png written"
