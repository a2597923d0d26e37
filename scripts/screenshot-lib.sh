# Shared by the screenshot scripts: sourced, not run. Each script calls
#   shot_begin <script name> <build-dir or "">   checks the build and the tools, makes $work
#   shot_start <folder> [first display]          starts Korvath there on an Xvfb of its own
#                                                (KORVATH_SCREEN: its size, default 1024x768;
#                                                $main_caption: the main window's caption)
#   client X Y                                   clicks at a point of the main window's client area
#   shot_open <menu key> <item key> <name> <what>
#                                                opens a window from the main window's menu by its
#                                                access keys and waits until it shows: $opened
#   shot_save <png>                              saves the whole screen
#   shot_end                                     closes the program (Alt+F4)
# and may use wait_for <window name>, wait_visible <window name>, $window, $here, $build, $work.

shot_begin() {
  shot_name=$1
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  build=$(cd "${2:-$here/build/windows}" && pwd)
  exe="$build/ui/Korvath.exe"
  [ -f "$exe" ] || { echo "$shot_name: $exe not found; build first" >&2; exit 2; }
  for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "$shot_name: $tool is missing" >&2; exit 2; }
  done
  work=$(mktemp -d)
  xvfb_pid=""
  korvath_pid=""
  trap shot_cleanup EXIT
}

shot_cleanup() {
  if [ -n "$korvath_pid" ] && kill -0 "$korvath_pid" 2>/dev/null; then
    kill "$korvath_pid" 2>/dev/null || true
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}

# An absolute path for an output named relative to where the script was called.
shot_absolute() {
  case "$1" in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac
}

wait_for() {
  local found=""
  for _ in $(seq 240); do
    found=$(xdotool search --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$found" ] && break
    sleep 0.5
  done
  echo "$found"
}

# The dialogs exist hidden from the start: wait for the shown one.
wait_visible() {
  local found=""
  for _ in $(seq 40); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.5
  done
}

shot_start() {
  local folder=$1 first=${2:-90}
  # A display of our own, so that xdotool drives only this program.
  local display=""
  for n in $(seq "$first" $((first + 30))); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
  done
  [ -n "$display" ] || { echo "$shot_name: no free display" >&2; exit 1; }
  Xvfb "$display" -screen 0 "${KORVATH_SCREEN:-1024x768}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY="$display"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

  (cd "$folder" && exec "$build/wine-run" "$exe") &
  korvath_pid=$!

  window=$(wait_for "${main_caption:-Korvath ver1.7}")
  [ -n "$window" ] || { echo "$shot_name: the main window did not appear" >&2; exit 1; }
  sleep 2
  # Client-area coordinates of the window (Wine draws its own frame here).
  read -r wx wy < <(xdotool getwindowgeometry "$window" | awk '/Position/ {split($2, p, ","); print p[1], p[2]}')
  frame_x=${KORVATH_FRAME_X:-4}
  frame_y=${KORVATH_FRAME_Y:-42}
}

client() {
  xdotool mousemove $((wx + frame_x + $1)) $((wy + frame_y + $2)) click 1
  sleep 0.3
}

shot_save() {
  mkdir -p "$(dirname "$1")"
  import -window root "$1"
  echo "$shot_name: saved $1"
}

shot_end() {
  xdotool key --window "$window" alt+F4 || true
  for _ in $(seq 40); do kill -0 "$korvath_pid" 2>/dev/null || break; sleep 0.25; done
}

# Alt+<menu key>, then <item key>; the window named <name> (<what> in the
# message when it does not come) is given time to draw itself.
shot_open() {
  xdotool key --window "$window" "alt+$1"
  sleep 0.5
  xdotool key "$2"
  opened=$(wait_visible "$3")
  [ -n "$opened" ] || { echo "$shot_name: $4 did not appear" >&2; exit 1; }
  sleep 1.5
}
