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

here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build/windows}" && pwd)
out=${2:-$here/docs/run-progress.png}
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac
exe="$build/ui/Korvath.exe"
[ -f "$exe" ] || { echo "screenshot.sh: $exe not found; build first" >&2; exit 2; }
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "screenshot.sh: $tool is missing" >&2; exit 2; }
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
(cd "$samples" && for n in $(seq 1000 4999); do : >"IMG_$n.JPG"; done)

# A display of our own, so that xdotool drives only this program.
display=""
for n in $(seq 90 120); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "screenshot.sh: no free display" >&2; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

(cd "$samples" && exec "$build/wine-run" "$exe") &
korvath_pid=$!

window=""
for _ in $(seq 240); do
  window=$(xdotool search --name "Korvath ver1.7" 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.5
done
[ -n "$window" ] || { echo "screenshot.sh: the main window did not appear" >&2; exit 1; }
sleep 2

# Client-area coordinates of the window (Wine draws its own frame here).
read -r wx wy < <(xdotool getwindowgeometry "$window" | awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
click() { xdotool mousemove $((wx + $1)) $((wy + $2)) click 1; sleep 0.3; }
frame_x=${KORVATH_FRAME_X:-4}
frame_y=${KORVATH_FRAME_Y:-42}
client() { click $((frame_x + $1)) $((frame_y + $2)); }

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
for _ in $(seq 60); do
  sleep 1
  import -window root "$out"
  rb=$(convert "$out" -format "%[fx:int(255*p{$((wx + frame_x + 254)),$((wy + frame_y + 373))}.r)] %[fx:int(255*p{$((wx + frame_x + 254)),$((wy + frame_y + 373))}.b)]" info:)
  read -r red blue <<<"$rb"
  [ "$red" -lt 128 ] && [ "$blue" -gt 160 ] && break
done
sleep 1.5
import -window root "$out"
echo "screenshot.sh: saved $out"

xdotool key Escape
sleep 1
xdotool key Return  # Yes, stop
sleep 2
xdotool key --window "$window" alt+F4 || true
for _ in $(seq 40); do kill -0 "$korvath_pid" 2>/dev/null || break; sleep 0.25; done
