#!/usr/bin/env bash
# Like screenshot.sh, but shows the preview's conflict marks: four files
# checked and the prefix "p", where p2.jpg is held by an unchecked file and
# p4.jpg by a folder, so two new names carry the mark and the status bar
# counts them.
#
#   scripts/screenshot-conflicts.sh [build-dir] [output.png]
#
# build-dir defaults to build/windows; output to docs/conflict-marks.png.
set -eu
source "$(dirname "$0")/screenshot-lib.sh"
shot_begin screenshot-conflicts.sh "${1:-}"
out=$(shot_absolute "${2:-$here/docs/conflict-marks.png}")

# Sample files: p2.jpg is a file that stays, p4.jpg a folder.
samples="$work/写真"
mkdir -p "$samples/p4.jpg"
for name in b.jpg c.jpg d.jpg e.jpg memo.txt p2.jpg; do
  head -c $((RANDOM % 4000 + 200)) /dev/urandom >"$samples/$name"
done
shot_start "$samples"

# Client coordinates as in screenshot.sh: check boxes at x 110, the prefix
# field at (396, 125).
for line in 0 1 2 3; do client 110 $((46 + 16 * line)); done
client 396 125
xdotool type --delay 80 "p"
sleep 1

shot_save "$out"
shot_end
