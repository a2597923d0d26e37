#!/usr/bin/env bash
# Starts Korvath under its own Xvfb in a folder of a trip's photos and
# videos from several devices (copies of tests/data/capture under camera
# names, their last-write times shuffled), opens View > Sort and saves the
# screen, picks 撮影日時順, ticks every file, types a prefix, highlights a
# photo and saves the screen again.
#
#   scripts/screenshot-shooting.sh [build-dir] [docs-dir]
#
# The PNGs go to docs-dir (default docs/) as sort-menu.png and
# shooting-date-order.png.
set -eu
source "$(dirname "$0")/screenshot-lib.sh"
shot_begin screenshot-shooting.sh "${1:-}"
docs=$(shot_absolute "${2:-$here/docs}")

samples="$work/旅行"
mkdir -p "$samples"
data="$here/tests/data/capture"
# name in the folder, sample it is a copy of, its last-write time
while read -r name sample written; do
  cp "$data/$sample" "$samples/$name"
  touch -d "$written" "$samples/$name"
done <<'LIST'
IMG_0412.JPG jpeg_offset.jpg 2027-01-10T09:00:00
DSC_0087.JPG jpeg_jfif.jpg 2027-01-10T09:00:05
20261203_101512.mp4 mp4_moov_end.mp4 2027-01-09T20:00:00
IMG_3301.HEIC heic_from_jpeg.heic 2027-01-08T12:00:00
IMG_3302.MOV mov_apple.mov 2027-01-08T12:00:01
Screenshot_01.png png_screenshot.png 2026-12-03T03:30:00
LIST
shot_start "$samples"

# View > Sort through the menu's access keys, left open.
xdotool key --window "$window" alt+v
sleep 0.5
xdotool key t
sleep 1
shot_save "$docs/sort-menu.png"

# 撮影日時順: the dates are read, the list follows them.
xdotool key s
sleep 2
# Client coordinates as in screenshot.sh: check boxes at x 110, the prefix
# field at (396, 125).
for line in 0 1 2 3 4 5; do client 110 $((46 + 16 * line)); done
client 396 125
xdotool type --delay 80 "trip_"
sleep 0.3
client 150 $((46 + 16 * 2))
sleep 1
shot_save "$docs/shooting-date-order.png"
shot_end
