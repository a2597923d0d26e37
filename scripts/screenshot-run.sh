#!/usr/bin/env bash
# Like screenshot.sh, but shows a rename run under way: 4,000 files checked
# (renames then cost a few milliseconds each under Wine), the prefix "p",
# Enter and Yes; the screen is saved while the status bar shows the file in
# hand, "n / N" and the progress bar and the Execute button reads "中止".
# Esc and Yes then stop the run.
#
#   scripts/screenshot-run.sh [build-dir] [output.png]
#
# build-dir defaults to build/windows; output to docs/run-progress.png.
set -eu
source "$(dirname "$0")/screenshot-lib.sh"
shot_begin screenshot-run.sh "${1:-}"
out=$(shot_absolute "${2:-$here/docs/run-progress.png}")

samples="$work/写真"
mkdir -p "$samples"
(cd "$samples" && for n in $(seq 1000 4999); do : >"IMG_$n.JPG"; done)
shot_start "$samples"

# Client coordinates as in screenshot.sh: "全選択" at (155, 22), the prefix
# field at (396, 125); Enter there presses Execute.
client 155 22
client 396 125
xdotool type --delay 80 "p"
sleep 1
xdotool key Return
sleep 1
xdotool key Return  # Yes

# The new names are tested first; the screen is saved once the progress bar
# (status panel 2, client 254, 373) has begun to fill, or after a minute.
mkdir -p "$(dirname "$out")"
bar_x=$((wx + frame_x + 254)) bar_y=$((wy + frame_y + 373))
for _ in $(seq 60); do
  sleep 1
  import -window root "$out"
  rb=$(convert "$out" -format "%[fx:int(255*p{$bar_x,$bar_y}.r)] %[fx:int(255*p{$bar_x,$bar_y}.b)]" info:)
  read -r red blue <<<"$rb"
  [ "$red" -lt 128 ] && [ "$blue" -gt 160 ] && break
done
sleep 1.5
shot_save "$out"

xdotool key Escape
sleep 1
xdotool key Return  # Yes, stop
sleep 2
shot_end
