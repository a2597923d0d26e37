#!/usr/bin/env bash
# Starts Korvath at 96, 144 and 192 dots per inch, each time in the same
# folder of sample files, ticks a few files, types a prefix, raises the digit
# count and saves the main window; at 144 also the options dialog and the
# About box. The density is the Wine prefix's (HKCU\Control Panel\Desktop
# LogPixels), so these runs use a prefix of their own in the build tree and
# restart its wine server after each change.
#
#   scripts/screenshot-dpi.sh [build-dir] [docs-dir]
#
# build-dir defaults to build/windows (it must hold ui/Korvath.exe and the
# wine-run wrapper); the PNGs go to docs-dir (default docs/) as
# main-window-<dpi>dpi.png, options-144dpi.png and about-144dpi.png.
#
# With KORVATH_WINE_LOCALE=en_US.UTF-8 the program runs under an English
# Windows and shows its English texts: the main window at 96, 144 and 192
# dpi, the options dialog and the About box at 96 and 144, as
# english-main-<dpi>dpi.png, english-options-<dpi>dpi.png and
# english-about-<dpi>dpi.png.
set -eu
source "$(dirname "$0")/screenshot-lib.sh"
shot_begin screenshot-dpi.sh "${1:-}"
docs=$(shot_absolute "${2:-$here/docs}")
export KORVATH_WINEPREFIX="$build/wine-prefix-dpi"
mkdir -p "$docs"

samples="$work/写真"
mkdir -p "$samples/旅行"
for name in img1.jpg img10.jpg img2.jpg Img3.jpg 表紙.jpg ソファ.png memo.txt 夏休み.bmp; do
  head -c 1000 /dev/zero >"$samples/$name"
done

WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)

set_dpi() {
  "$build/wine-run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
  # The density is read when the wine server starts.
  WINEPREFIX="$KORVATH_WINEPREFIX" "$WINESERVER" -k 2>/dev/null || true
  WINEPREFIX="$KORVATH_WINEPREFIX" "$WINESERVER" -w 2>/dev/null || true
}

# One window as it stands; a window just shown may not be readable yet.
save_window() {
  for _ in $(seq 20); do
    import -window "$1" "$2" 2>/dev/null && { echo "screenshot-dpi.sh: saved $2"; return 0; }
    sleep 0.5
  done
  echo "screenshot-dpi.sh: could not save $2" >&2
  exit 1
}

case "${KORVATH_WINE_LOCALE:-ja_JP.UTF-8}" in
  ja_*)
    densities="96 144 192" dialogs_at=144 main_caption="Korvath ver1.7"
    option_caption="オプション" about_caption="バージョン情報"
    main_png=main-window option_png=options about_png=about
    ;;
  *)
    densities="96 144 192" dialogs_at="96 144" main_caption="Korvath 1.7"
    option_caption="Options" about_caption="About Korvath"
    main_png=english-main option_png=english-options about_png=english-about
    ;;
esac

display=131
for dpi in $densities; do
  rm -f "$samples/KVTset.ini"
  set_dpi "$dpi"
  s() { echo $((($1 * dpi + 48) / 96)); }
  case $dpi in
    96) export KORVATH_SCREEN=1024x768 ;;
    144) export KORVATH_SCREEN=1280x1024 ;;
    *) export KORVATH_SCREEN=1600x1200 ;;
  esac
  # Wine's own frame, caption and menu bar grow with the density.
  export KORVATH_FRAME_X=$(s 4) KORVATH_FRAME_Y=$(s 42)
  shot_start "$samples" "$display"
  display=$((display + 5))

  # The same clicks as the 96 screenshot, at the scaled places: check boxes,
  # the prefix field, the digit-count up button, a highlighted line.
  for line in 0 1 3 5; do client "$(s 110)" "$(s $((46 + 16 * line)))"; done
  client "$(s 396)" "$(s 125)"
  xdotool type --delay 80 "trip_"
  sleep 0.3
  client "$(s 472)" "$(s 164)"
  client "$(s 472)" "$(s 164)"
  client "$(s 150)" "$(s $((46 + 16 * 3)))"
  sleep 1
  save_window "$window" "$docs/$main_png-${dpi}dpi.png"

  if [[ " $dialogs_at " == *" $dpi "* ]]; then
    # View > Option..., then Help > About, by their access keys (the same
    # in both languages).
    shot_open v o "$option_caption" "the options dialog"
    save_window "$opened" "$docs/$option_png-${dpi}dpi.png"
    xdotool key alt+F4
    sleep 1
    shot_open h a "$about_caption" "the About box"
    save_window "$opened" "$docs/$about_png-${dpi}dpi.png"
    xdotool key Return
    sleep 1
  fi
  shot_end
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
done
