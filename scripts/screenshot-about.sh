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

here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build/windows}" && pwd)
docs=${2:-$here/docs}
case "$docs" in /*) ;; *) docs="$PWD/$docs" ;; esac
exe="$build/ui/Korvath.exe"
[ -f "$exe" ] || { echo "screenshot-about.sh: $exe not found; build first" >&2; exit 2; }
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "screenshot-about.sh: $tool is missing" >&2; exit 2; }
done

work=$(mktemp -d)
xvfb_pid=""
korvath_pid=""
cleanup() {
  if [ -n "$korvath_pid" ] && kill -0 "$korvath_pid" 2>/dev/null; then
    kill "$korvath_pid" 2>/dev/null || true
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

samples="$work/写真"
mkdir -p "$samples"
for name in img1.jpg img2.jpg img10.jpg 表紙.jpg memo.txt; do
  head -c 500 /dev/zero >"$samples/$name"
done

# A display of our own, so that xdotool drives only this program.
display=""
for n in $(seq 121 150); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "screenshot-about.sh: no free display" >&2; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

(cd "$samples" && exec "$build/wine-run" "$exe") &
korvath_pid=$!

wait_for() {
  local found=""
  for _ in $(seq 240); do
    found=$(xdotool search --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$found" ] && break
    sleep 0.5
  done
  echo "$found"
}
window=$(wait_for "Korvath ver1.7")
[ -n "$window" ] || { echo "screenshot-about.sh: the main window did not appear" >&2; exit 1; }
sleep 2

mkdir -p "$docs"
# Help > About through the menu's accelerators.
xdotool key --window "$window" alt+h
sleep 0.5
xdotool key a
about=$(wait_for "バージョン情報")
[ -n "$about" ] || { echo "screenshot-about.sh: the About box did not appear" >&2; exit 1; }
sleep 1.5
import -window root "$docs/about.png"
echo "screenshot-about.sh: saved $docs/about.png"

# Enter presses OK, the default button.
xdotool key Return
sleep 1

# Focus the check list (a click on a name, not on its box), then Home.
read -r wx wy < <(xdotool getwindowgeometry "$window" | awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
frame_x=${KORVATH_FRAME_X:-4}
frame_y=${KORVATH_FRAME_Y:-42}
xdotool mousemove $((wx + frame_x + 150)) $((wy + frame_y + 46)) click 1
sleep 0.5
xdotool key Home
sleep 2
import -window root "$docs/main-after-glide.png"
echo "screenshot-about.sh: saved $docs/main-after-glide.png"

xdotool key --window "$window" alt+F4 || true
for _ in $(seq 40); do kill -0 "$korvath_pid" 2>/dev/null || break; sleep 0.25; done
