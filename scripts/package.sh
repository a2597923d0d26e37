#!/usr/bin/env bash
# Builds the release package: Korvath-<version>-win64.zip holding a folder
# with Korvath.exe, readme.txt in Shift-JIS with CRLF line ends as Japanese
# Windows users read it, and readme-en.txt in UTF-8 with CRLF line ends.
#
#   scripts/package.sh [build-dir] [output-dir]
#
# build-dir defaults to build/windows (configured with the windows preset
# when it does not exist yet); output-dir defaults to build-dir.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build/windows}
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac
out=${2:-$build}
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac

if [ ! -f "$build/CMakeCache.txt" ]; then
  if [ "$build" = "$here/build/windows" ]; then
    (cd "$here" && cmake --preset windows)
  else
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake"
  fi
fi
cmake --build "$build" --target Korvath -j2

version=$(sed -n 's/^project(Korvath VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")
[ -n "$version" ] || { echo "package.sh: no version in CMakeLists.txt" >&2; exit 1; }
name="Korvath-$version-win64"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
cp "$build/ui/Korvath.exe" "$stage/$name/Korvath.exe"
if command -v x86_64-w64-mingw32-strip >/dev/null; then
  x86_64-w64-mingw32-strip "$stage/$name/Korvath.exe"
fi
# The readme's source is UTF-8 with LF; iconv fails on any character that
# Shift-JIS lacks rather than dropping it.
iconv -f UTF-8 -t CP932 "$here/packaging/readme.txt" | sed 's/$/\r/' >"$stage/$name/readme.txt"
# The English readme stays UTF-8, without a byte order mark; iconv only
# checks that it is.
iconv -f UTF-8 -t UTF-8 "$here/packaging/readme-en.txt" | sed 's/$/\r/' >"$stage/$name/readme-en.txt"

mkdir -p "$out"
rm -f "$out/$name.zip"
# One fixed time stamp, so that the same sources give the same archive.
stamp=$(TZ=UTC git -C "$here" log -1 --date=format-local:'%Y-%m-%d %H:%M:%S' --format=%cd \
  2>/dev/null || true)
[ -n "$stamp" ] || stamp=$(date -u '+%Y-%m-%d %H:%M:%S')
stamp="$stamp UTC"
(cd "$stage" && cmake -E tar cf "$out/$name.zip" --format=zip --mtime="$stamp" \
  "$name/Korvath.exe" "$name/readme.txt" "$name/readme-en.txt")
echo "$out/$name.zip"
