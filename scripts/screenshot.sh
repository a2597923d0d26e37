#!/usr/bin/env bash
# Starts Korvath under its own Xvfb in a folder of sample files, ticks a few
# files, types a prefix, raises the digit count and saves the whole screen as
# a PNG.
#
#   scripts/screenshot.sh [build-dir] [output.png]
#
# build-dir defaults to build/windows (it must hold ui/Korvath.exe and the
# wine-run wrapper); output defaults to docs/main-window.png.
set -eu
source "$(dirname "$0")/screenshot-lib.sh"
shot_begin screenshot.sh "${1:-}"
out=$(shot_absolute "${2:-$here/docs/main-window.png}")

# Sample files, Japanese names included (表 and ソ end in the byte of "\").
samples="$work/写真"
mkdir -p "$samples/旅行"
for name in img1.jpg img10.jpg img2.jpg Img3.jpg 表紙.jpg ソファ.png memo.txt 夏休み.bmp; do
  head -c $((RANDOM % 4000 + 200)) /dev/urandom >"$samples/$name"
done
shot_start "$samples"

# Places below are client coordinates of the 521 x 430 window as the layout
# rule puts its controls: check boxes at x 110, the prefix field at
# (396, 125), the digit-count up button at (472, 164).
for line in 0 1 3 5; do client 110 $((46 + 16 * line)); done
client 396 125
xdotool type --delay 80 "trip_"
sleep 0.3
client 472 164
client 472 164
# Highlight a line so that the status bar shows its file information.
client 150 $((46 + 16 * 3))
sleep 1

shot_save "$out"
shot_end
