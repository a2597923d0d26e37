#!/usr/bin/env bash
# Runs one Windows program under Wine in a private prefix, with the Japanese
# locale (ANSI code page 932) unless told otherwise, booting and preparing the
# prefix on first use. Without a display the program runs under xvfb-run.
#
#   KORVATH_WINEPREFIX  the prefix (required; the build tree's wrapper sets it)
#   KORVATH_WINE_LOCK   machine-wide lock serialising Wine runs
#                       (default /tmp/korvath-wine.lock; "none" disables it)
#   KORVATH_WINE_LOCALE the Unix locale Wine takes the Windows locale, display
#                       language and ANSI code page from (default ja_JP.UTF-8;
#                       en_US.UTF-8 makes an English Windows, code page 1252)
set -u

if [ -z "${KORVATH_WINEPREFIX:-}" ]; then
  echo "wine-exec.sh: KORVATH_WINEPREFIX is not set" >&2
  exit 2
fi

export WINEPREFIX="$KORVATH_WINEPREFIX"
export WINEARCH=win64
export WINEDEBUG=-all
export LANG="${KORVATH_WINE_LOCALE:-ja_JP.UTF-8}"
export LC_ALL="$LANG"
# No menu entries, no Gecko or Mono installer prompts, and no debugger on a
# crash: winedbg would wait for an answer while holding the machine-wide lock.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;winedbg.exe=d;mscoree=d;mshtml=d"

WINE=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINESERVER

prepare_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 8>"$WINEPREFIX.boot.lock"
  flock 8
  if [ ! -f "$WINEPREFIX/.korvath-ready-2" ]; then
    "$WINE" wineboot -i >/dev/null 2>&1
    "$WINESERVER" -w
    # Japanese text needs a proportional Gothic face; the caption buttons need
    # marlett, and without a window manager Wine must draw its own frames.
    "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /t REG_SZ /d IPAGothic /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
    # Unmanaged windows: with no window manager Wine otherwise waits about two
    # seconds for an answer each time a captioned window is hidden.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    for f in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf; do
      [ -f "$f" ] && cp "$f" "$WINEPREFIX/drive_c/windows/Fonts/" && break
    done
    "$WINESERVER" -w
    touch "$WINEPREFIX/.korvath-ready-2"
  fi
  if [ ! -f "$WINEPREFIX/.korvath-fontlink-3" ]; then
    # Names in any script: as Windows links its Japanese faces to others for
    # the characters they lack, the program's faces borrow Hangul from
    # NanumGothic and symbols (monochrome emoji among them) from Symbola,
    # where those are installed. Entries are "file,face", "\0" between them.
    # Wine looks the links up under the face actually used, so the IPA faces
    # that stand in for the Japanese ones get them too.
    local links=""
    fc-list -q NanumGothic 2>/dev/null && links="NanumGothic.ttf,NanumGothic"
    fc-list -q Symbola 2>/dev/null && links="${links:+$links\\0}Symbola_hint.ttf,Symbola"
    if [ -n "$links" ]; then
      for face in 'ＭＳ Ｐゴシック' 'ＭＳ ゴシック' IPAPGothic IPAGothic 'IPA Pゴシック' 'IPAゴシック'; do
        "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
          /v "$face" /t REG_MULTI_SZ /d "$links" /f >/dev/null 2>&1
      done
      "$WINESERVER" -w
    fi
    touch "$WINEPREFIX/.korvath-fontlink-3"
  fi
  if [ ! -f "$WINEPREFIX/.korvath-tahoma-1" ]; then
    # The system's dialog face "MS Shell Dlg 2" is Tahoma, the English
    # windows' face and the About box's banner; Wine does not find its own
    # copy where Debian puts it, and would draw them in a Japanese face.
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    for f in tahoma.ttf tahomabd.ttf; do
      for dir in /usr/share/wine/fonts /usr/lib/wine/fonts; do
        [ -f "$dir/$f" ] && cp "$dir/$f" "$WINEPREFIX/drive_c/windows/Fonts/" && break
      done
    done
    touch "$WINEPREFIX/.korvath-tahoma-1"
  fi
  flock -u 8
  exec 8>&-
}

prepare_prefix

lock="${KORVATH_WINE_LOCK:-/tmp/korvath-wine.lock}"
if [ "$lock" != none ]; then
  exec 9>"$lock"
  flock 9
fi

# Wine's background processes inherit our stdout and stderr; a pipe held open
# by them would keep ctest waiting, so the output goes through files.
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
if [ -n "${DISPLAY:-}" ]; then
  "$WINE" "$@" >"$out" 2>"$err" </dev/null
else
  xvfb-run -a -s "-screen 0 1024x768x24" "$WINE" "$@" >"$out" 2>"$err" </dev/null
fi
rc=$?
cat "$out"
cat "$err" >&2
exit $rc
