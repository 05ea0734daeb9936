#!/usr/bin/env bash
# Regenerates the editor's screenshots on a virtual X display (Xvfb, 1024 x 768),
# grabbed by ImageMagick's import:
#   docs/screenshot.png      the picture fitted to the view, tile grid on, both bars docked;
#   data/console-check.png   (--check) the console check under 4-bpp map settings chosen in
#                            the GBA export dialog, a pencil stroke that breaks tiles and the
#                            pointer over one of them. xdotool does what a user would: File >
#                            Export to a .c name, "bpp" 4 and "Map" ticked, Cancel (the
#                            dialog keeps its values for the run), zoom 4, the stroke.
# Usage: scripts/screenshot.sh [--check] [EDITOR] [PICTURE]
#        (needs Xvfb and ImageMagick, --check also xdotool)
set -euo pipefail
cd "$(dirname "$0")/.."
scene=plain
if [ "${1:-}" = --check ]; then
  scene=check
  shift
fi
app=${1:-build/vorlin}
picture=${2:-examples/gba-sprites/art/backdrop.png}
display=:${VORLIN_SHOT_DISPLAY:-97}
scratch=$(mktemp -d)
ini=$scratch/vorlin.ini
# The picture fitted to the view (View > Fit) with the tile grid only.
printf '[mainview]\ngrid=0\ntile=1\nfitnew=1\n' >"$ini"
output=docs/screenshot.png
if [ "$scene" = check ]; then
  printf '[consolecheck]\non=1\n' >>"$ini"
  output=data/console-check.png
fi
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT
sleep 1
export DISPLAY=$display
# Settings (also Qt's file dialog history) stay in the scratch folder.
VORLIN_INI=$ini XDG_CONFIG_HOME=$scratch "$app" -geometry 1024x768+0+0 "$picture" &
editor=$!
sleep "${VORLIN_SHOT_WAIT:-5}"

# Steps of the --check scene. Points are screen pixels of the window at 1024 x 768 with the
# bars docked as the editor first shows them: the File menu, the zoom box, and at zoom 4 a
# line over the backdrop's hills and bricks, whose tiles take another bank than the pencil's
# colour. Keys go one at a time: the dialog drops keys that come faster than it updates.
act() { xdotool "$@"; sleep 0.5; }
check_scene() {
  act mousemove 19 8 click 1
  act key e
  sleep 1
  act type --delay 20 "$scratch/shot.c"
  act key Return
  sleep 1
  # "&Image" twice leaves it ticked with the focus on it; two tabs reach "bpp".
  act key --delay 150 alt+i alt+i Tab Tab 4 alt+m
  act key Escape
  act mousemove 275 38 click --repeat 3 1
  act key ctrl+a
  act type 4x
  act key Return
  xdotool mousemove 230 470 mousedown 1
  for x in $(seq 234 4 980); do xdotool mousemove "$x" $((470 + (x - 230) * 17 / 100)); done
  act mouseup 1
  act mousemove 601 533
}
if [ "$scene" = check ]; then check_scene; fi

import -window root "$output"
kill $editor 2>/dev/null || true
if [ "$scene" = check ]; then
  marks=$(convert "$output" -fill black +opaque '#FF00FF' -fill white -opaque '#FF00FF' \
    -format '%[fx:int(mean*w*h)]' info:)
  if [ "$marks" -eq 0 ]; then
    echo "$output shows no console check marks: a scripted step missed" >&2
    exit 1
  fi
fi
echo "$output written"
