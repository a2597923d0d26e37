#!/usr/bin/env bash
# Installs what is missing, builds Korvath and starts it under Wine in a
# folder of sample files (build/sample). With a display the window opens
# there. Without one it runs under Xvfb, a screenshot is saved, its path is
# printed and the program is closed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Korvath

sample="$root/build/sample"
bash scripts/make-sample-files.sh "$sample"

wine_run="$root/build/windows/wine-run"
exe="$root/build/windows/ui/Korvath.exe"

if [ -n "${DISPLAY:-}" ]; then
  cd "$sample"
  exec "$wine_run" "$exe"
fi

# No display: our own Xvfb, so that the screenshot sees the window.
display=""
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
export DISPLAY="$display"
sleep 1

(cd "$sample" && "$wine_run" "$exe") &
app_pid=$!

# Wait for the main window to come up and settle.
for _ in $(seq 1 60); do
  if xdotool search --name 'Korvath ver1.7' >/dev/null 2>&1; then break; fi
  sleep 0.5
done
sleep 2

shot="$root/build/korvath-screenshot.png"
import -window root "$shot"
echo "Screenshot: $shot"

# Close it the way a user would (Alt+F4), so that it saves its settings.
win=$(xdotool search --name 'Korvath ver1.7' | head -n 1 || true)
if [ -n "$win" ]; then
  xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus "$win" 2>/dev/null || true
  xdotool key --window "$win" alt+F4 || true
fi
for _ in $(seq 1 20); do
  kill -0 $app_pid 2>/dev/null || break
  sleep 0.5
done
if kill -0 $app_pid 2>/dev/null; then
  WINEPREFIX="$root/build/windows/wineprefix" /usr/lib/wine/wineserver -k || true
fi
wait $app_pid 2>/dev/null || true
