#!/usr/bin/env bash
# Like screenshot.sh, in a folder whose names mix scripts (accents, Hangul,
# an emoji, Japanese): every file ticked, the prefix "x_" typed, so that the
# check list, the preview and the status bar show such names.
#
#   scripts/screenshot-mixed.sh [build-dir] [output.png]
#
# build-dir defaults to build/windows; output to docs/mixed-names.png.
set -eu
source "$(dirname "$0")/screenshot-lib.sh"
shot_begin screenshot-mixed.sh "${1:-}"
out=$(shot_absolute "${2:-$here/docs/mixed-names.png}")

samples="$work/mixed"
mkdir -p "$samples"
names=(café.jpg cafe.jpg naïve.txt 한글.txt 😀.txt a.txt 写真.jpg)
for name in "${names[@]}"; do
  head -c $((RANDOM % 4000 + 200)) /dev/urandom >"$samples/$name"
done
shot_start "$samples"

# Client coordinates as in screenshot.sh: check boxes at x 110, the prefix
# field at (396, 125).
for line in $(seq 0 $((${#names[@]} - 1))); do client 110 $((46 + 16 * line)); done
client 396 125
xdotool type --delay 80 "x_"
sleep 0.3
# Highlight the last line (the Hangul name) for the status bar's file
# information.
client 150 $((46 + 16 * 6))
sleep 1

shot_save "$out"
shot_end
