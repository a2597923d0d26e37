#!/usr/bin/env bash
# Starts Korvath under its own Xvfb in a folder of sample files, opens the
# About box from the Help menu and saves the screen, then closes the box,
# puts the focus on the check list, presses Home and saves the screen again
# once the window has glided to the centre.
#
#   scripts/screenshot-about.sh [build-dir] [docs-dir]
#
# build-dir defaults to build/windows (it must hold ui/Korvath.exe and the
# wine-run wrapper); the PNGs go to docs-dir (default docs/) as about.png and
# main-after-glide.png.
set -eu
source "$(dirname "$0")/screenshot-lib.sh"
shot_begin screenshot-about.sh "${1:-}"
docs=$(shot_absolute "${2:-$here/docs}")

samples="$work/写真"
mkdir -p "$samples"
for name in img1.jpg img2.jpg img10.jpg 表紙.jpg memo.txt; do
  head -c 500 /dev/zero >"$samples/$name"
done
shot_start "$samples" 121

# Help > About through the menu's accelerators.
shot_open h a "バージョン情報" "the About box"
shot_save "$docs/about.png"

# Enter presses OK, the default button.
xdotool key Return
sleep 1

# Focus the check list (a click on a name, not on its box), then Home.
client 150 46
sleep 0.2
xdotool key Home
sleep 2
shot_save "$docs/main-after-glide.png"
shot_end
