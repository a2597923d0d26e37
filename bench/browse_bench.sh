#!/usr/bin/env bash
# Runs browse_bench.exe under Wine on a folder of 100,000 files made from
# Linux (creating them inside Wine one by one is quadratic). With "startup"
# it runs window_bench.exe instead: the main window's start-up in that
# folder against a re-read of it.
#   bench/browse_bench.sh <windows build folder> [file count] [repetitions] [startup]
set -euo pipefail
build=${1:?windows build folder}
count=${2:-100000}
reps=${3:-5}
folder=/tmp/korvath-browse-bench-$count
if [ ! -f "$folder.complete" ]; then
  rm -rf "$folder"
  mkdir -p "$folder"
  python3 - "$folder" "$count" <<'PY'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
stems = ["img", "Img", "photo_", "DSC", "memo", "表", "ソ"]
for i in range(count):
    name = "%s%d.jpg" % (stems[i % 7], (i * 7919) % count)
    open(os.path.join(folder, name), "wb").close()
PY
  touch "$folder.complete"
fi
winpath="Z:${folder//\//\\}"
if [ "${4:-}" = startup ]; then
  exec "$build/wine-run" "$build/bench/window_bench.exe" "$reps" "$winpath"
fi
exec "$build/wine-run" "$build/bench/browse_bench.exe" "$winpath" "$reps"
