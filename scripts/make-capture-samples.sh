#!/usr/bin/env bash
# Makes the small photos and videos in tests/data/capture with the tools
# that cameras' files are handled with every day (ffmpeg, exiftool,
# heif-enc, ImageMagick), and writes expected.txt from what exiftool itself
# reads back from each file: the date the program must find, or "none".
# The program's reader is checked against that file (capture_date_test).
#
#   bash scripts/make-capture-samples.sh        (run again after a change)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/tests/data/capture"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
rm -rf "$out"
mkdir -p "$out"
cd "$work"

ff() { ffmpeg -v error -y "$@"; }
ex() { exiftool -q -overwrite_original "$@"; }

# A 16 x 16 picture, in the forms the formats start from.
ff -f lavfi -i color=c=0x3366cc:s=16x16 -frames:v 1 base.png
ff -i base.png -q:v 8 base.jpg

# JPEG: the original date with sub-seconds and offset; without offset; only
# the digitized date; only IFD0's date; a zero-filled date; a camera's
# block behind a JFIF segment; and a file cut off inside its Exif block.
cp base.jpg "$out/jpeg_offset.jpg"
ex -DateTimeOriginal='2026:12:03 10:15:12' -SubSecTimeOriginal=34 \
   -OffsetTimeOriginal=+09:00 -ModifyDate='2027:01:05 08:00:00' "$out/jpeg_offset.jpg"
cp base.jpg "$out/jpeg_local.jpg"
ex -DateTimeOriginal='2026:12:03 10:20:00' "$out/jpeg_local.jpg"
cp base.jpg "$out/jpeg_digitized.jpg"
ex -EXIF:CreateDate='2026:12:03 09:00:01' -SubSecTimeDigitized=5 \
   -OffsetTimeDigitized=-05:30 "$out/jpeg_digitized.jpg"
cp base.jpg "$out/jpeg_ifd0.jpg"
ex -IFD0:ModifyDate='2026:11:30 23:59:59' "$out/jpeg_ifd0.jpg"
cp base.jpg "$out/jpeg_zero.jpg"
ex -DateTimeOriginal#='0000:00:00 00:00:00' "$out/jpeg_zero.jpg"
cp base.jpg "$out/jpeg_jfif.jpg"
ex -JFIF:XResolution=72 -DateTimeOriginal='2025:08:15 16:45:30' -Make=Sample \
   "$out/jpeg_jfif.jpg"
head -c 60 "$out/jpeg_offset.jpg" >"$out/jpeg_cut.jpg"

# TIFF in both byte orders, with the dates in the Exif directory.
convert base.png -endian LSB -compress none "$out/tiff_ii.tif"
ex -DateTimeOriginal='2026:12:03 11:00:00' -OffsetTimeOriginal=+01:00 "$out/tiff_ii.tif"
convert base.png -endian MSB -compress none "$out/tiff_mm.tif"
ex -DateTimeOriginal='2026:12:03 11:30:00' -SubSecTimeOriginal=250 "$out/tiff_mm.tif"

# The raws' own magic numbers on a TIFF body: ORF "IIRO", RW2 "IIU\0".
magic() { printf "$2" | dd of="$1" bs=1 seek=2 conv=notrunc status=none; }
convert base.png -endian LSB -compress none raw.tif
ex -DateTimeOriginal='2026:12:03 11:10:00' raw.tif
cp raw.tif "$out/raw_orf.orf"
magic "$out/raw_orf.orf" 'RO'
ex -DateTimeOriginal='2026:12:03 11:20:00' -OffsetTimeOriginal=+09:00 raw.tif
cp raw.tif "$out/raw_rw2.rw2"
magic "$out/raw_rw2.rw2" 'U\0'

# PNG: an eXIf chunk; a screenshot without any date.
cp base.png "$out/png_exif.png"
ex -EXIF:DateTimeOriginal='2026:12:03 12:00:00' -EXIF:OffsetTimeOriginal=+09:00 \
   "$out/png_exif.png"
cp base.png "$out/png_screenshot.png"

# WebP with an EXIF chunk.
ff -i base.png -c:v libwebp -lossless 1 base.webp
cp base.webp "$out/webp_exif.webp"
ex -EXIF:DateTimeOriginal='2026:12:03 12:30:00' "$out/webp_exif.webp"

# HEIC: Exif carried over by heif-enc from a JPEG; Exif written by exiftool.
# AVIF likewise.
cp base.jpg dated.jpg
ex -DateTimeOriginal='2026:12:03 13:00:00' -OffsetTimeOriginal=+09:00 dated.jpg
heif-enc -q 20 dated.jpg -o "$out/heic_from_jpeg.heic" >/dev/null
heif-enc -q 20 base.png -o "$out/heic_exiftool.heic" >/dev/null
ex -EXIF:DateTimeOriginal='2026:12:03 13:10:00' -EXIF:SubSecTimeOriginal=7 \
   "$out/heic_exiftool.heic"
heif-enc -A -q 20 dated.jpg -o "$out/avif_from_jpeg.avif" >/dev/null

# Movies of one frame: MP4 with the movie box at the end and at the front,
# MOV with and without Apple's creation date, 3GP.
video=(-f lavfi -i color=c=0x3366cc:s=16x16:d=0.04 -frames:v 1 -c:v libx264 -preset ultrafast
       -pix_fmt yuv420p -an -map_metadata -1)
ff "${video[@]}" -metadata creation_time=2026-12-03T01:15:12Z "$out/mp4_moov_end.mp4"
ff "${video[@]}" -metadata creation_time=2026-12-03T01:40:00Z -movflags +faststart \
   "$out/mp4_moov_front.mp4"
ff "${video[@]}" -metadata creation_time=2026-12-03T00:00:00Z \
   -metadata com.apple.quicktime.creationdate=2026-12-03T10:45:00+0900 \
   -movflags use_metadata_tags "$out/mov_apple.mov"
ff "${video[@]}" -metadata creation_time=2026-12-03T02:00:00Z "$out/mov_plain.mov"
ff "${video[@]}" "$out/mov_no_date.mov"
ff "${video[@]}" -metadata creation_time=2026-12-03T02:10:00Z -f 3gp "$out/video_3gp.3gp"

# What exiftool reads, under the reader's rule: Apple's creation date, else
# the movie header's (UTC) time, else the original, digitized, IFD0 date
# with its own sub-seconds and offset.
cd "$out"
exiftool -j -a -G1 -api LargeFileSupport=1 -DateTimeOriginal -CreateDate -ModifyDate \
  -SubSecTimeOriginal -SubSecTimeDigitized -SubSecTime -OffsetTimeOriginal \
  -OffsetTimeDigitized -OffsetTime -Keys:CreationDate -QuickTime:CreateDate \
  -- * 2>/dev/null | python3 -c '
import json, re, sys

def plain(value):
    value = str(value or "").strip()
    if not re.fullmatch(r"\d{4}:\d\d:\d\d \d\d:\d\d:\d\d.*", value):
        return None
    if value.startswith("0000") or value[:19].replace("0", "").strip(": ") == "":
        return None
    return value

def fraction(value):
    digits = re.match(r"\d*", str(value or "").strip()).group(0)[:7].rstrip("0")
    return "." + digits if digits else ""

rows = []
for tags in json.load(sys.stdin):
    name = tags["SourceFile"]
    date = None
    apple = plain(tags.get("Keys:CreationDate"))
    movie = plain(tags.get("QuickTime:CreateDate"))
    if apple:
        date = apple
    elif movie and 1990 <= int(movie[:4]) <= 2100:
        date = movie + "+00:00"
    else:
        for stamp, group, sub, offset in (
            ("DateTimeOriginal", "ExifIFD", "SubSecTimeOriginal", "OffsetTimeOriginal"),
            ("CreateDate", "ExifIFD", "SubSecTimeDigitized", "OffsetTimeDigitized"),
            ("ModifyDate", "IFD0", "SubSecTime", "OffsetTime")):
            value = plain(tags.get(group + ":" + stamp))
            if value:
                date = value[:19] + fraction(tags.get("ExifIFD:" + sub)) + \
                    str(tags.get("ExifIFD:" + offset, ""))
                break
    rows.append(name + "\t" + (date or "none"))
print("\n".join(sorted(rows)))
' >expected.txt
cat expected.txt
du -ch -- * | tail -1
