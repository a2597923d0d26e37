#!/usr/bin/env bash
# Runs capture_bench.exe under Wine on two folders made from Linux: 10,000
# JPEGs with a camera-sized Exif block (made with ffmpeg and exiftool: a
# 640 x 480 picture, a thumbnail, the dates and a long comment, about 30 KiB
# of Exif), and 100,000 empty files that are no photos.
#   bench/capture_bench.sh <windows build folder> [photos] [others] [repetitions]
set -euo pipefail
build=${1:?windows build folder}
photos=${2:-10000}
others=${3:-100000}
reps=${4:-5}
photoFolder=/tmp/korvath-capture-bench-jpeg-$photos
otherFolder=/tmp/korvath-capture-bench-other-$others
if [ ! -f "$photoFolder.complete" ]; then
  rm -rf "$photoFolder"
  mkdir -p "$photoFolder"
  work=$(mktemp -d)
  ffmpeg -v error -f lavfi -i testsrc=s=640x480 -frames:v 1 -q:v 4 "$work/photo.jpg"
  ffmpeg -v error -f lavfi -i testsrc=s=160x120 -frames:v 1 -q:v 4 "$work/thumb.jpg"
  exiftool -q -overwrite_original -Make=Bench -Model=Camera \
    -DateTimeOriginal='2026:12:03 10:15:12' -SubSecTimeOriginal=34 -OffsetTimeOriginal=+09:00 \
    -UserComment="$(head -c 12000 /dev/zero | tr '\0' 'c')" \
    '-ThumbnailImage<='"$work/thumb.jpg" "$work/photo.jpg"
  python3 - "$photoFolder" "$photos" "$work/photo.jpg" <<'PY'
import os, sys
folder, count, source = sys.argv[1], int(sys.argv[2]), open(sys.argv[3], "rb").read()
for i in range(count):
    with open(os.path.join(folder, "IMG_%05d.JPG" % ((i * 7919) % count)), "wb") as f:
        f.write(source)
PY
  ls -l "$work/photo.jpg"
  rm -rf "$work"
  touch "$photoFolder.complete"
fi
if [ ! -f "$otherFolder.complete" ]; then
  rm -rf "$otherFolder"
  mkdir -p "$otherFolder"
  python3 - "$otherFolder" "$others" <<'PY'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
stems = ["memo", "Memo", "doc_", "表", "ソ"]
for i in range(count):
    open(os.path.join(folder, "%s%d.txt" % (stems[i % 5], (i * 7919) % count)), "wb").close()
PY
  touch "$otherFolder.complete"
fi
exec "$build/wine-run" "$build/bench/capture_bench.exe" "Z:${photoFolder//\//\\}" \
  "Z:${otherFolder//\//\\}" "$reps"
