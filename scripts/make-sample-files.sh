#!/usr/bin/env bash
# Fills a folder with sample files for trying Korvath: pictures, texts and
# names in Japanese (Shift-JIS on disk through Wine, UTF-8 here).
set -euo pipefail
dir="${1:?usage: make-sample-files.sh <folder>}"
mkdir -p "$dir" "$dir/旅行" "$dir/資料"
for n in 1 2 3 10 11 20; do : > "$dir/IMG_$(printf '%04d' $n).jpg"; done
for name in img1.jpg img10.jpg img2.jpg Img3.jpg 表紙.png ソース一覧.txt 会議メモ.txt \
            photo.jpeg scan.bmp readme.txt archive.tar.gz; do
  [ -e "$dir/$name" ] || printf 'sample\n' > "$dir/$name"
done
