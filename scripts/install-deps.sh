#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Korvath
# need, only those that are missing, without asking anything. Also generates
# the ja_JP.UTF-8 locale (Wine takes its ANSI code page 932 from it) and the
# en_US.UTF-8 one.
set -euo pipefail

packages=(
  cmake ninja-build g++ git python3
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix
  wine64 fonts-wine
  xvfb xauth fonts-ipafont-gothic fonts-nanum fonts-symbola locales
  xdotool imagemagick icoutils
  clang libclang-rt-14-dev
  zip
  libimage-exiftool-perl ffmpeg libheif-examples
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q </dev/null
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
fi

# Japanese for the program as its users see it; English for the test that
# starts it under an English display language.
generate=0
for name in ja_JP en_US; do
  locale -a 2>/dev/null | grep -qix "$name.utf8" && continue
  echo "install-deps: generating the $name.UTF-8 locale"
  if [ -f /etc/locale.gen ] && grep -q "^# *$name.UTF-8 UTF-8" /etc/locale.gen; then
    "${sudo_cmd[@]}" sed -i "s/^# *\\($name.UTF-8 UTF-8\\)/\\1/" /etc/locale.gen
  elif ! grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null; then
    echo "$name.UTF-8 UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  generate=1
done
if [ "$generate" = 1 ]; then
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
