#pragma once
// The browser's glyphs, drawn with GDI once per process: the drive types of
// the drive selector and the folders of the folder list. Each glyph is drawn
// with the colour of its bottom-left pixel as the transparent colour.

#include <windows.h>

#include "Dpi.h"

namespace korvath {

enum class BrowserGlyph {
  Removable,
  Fixed,
  Network,
  CdRom,
  RamDisk,
  FolderOpen,
  FolderClosed,
  FolderCurrent,
};

constexpr int kBrowserGlyphWidth = 16;
constexpr int kBrowserGlyphHeight = 14;

// The cell above is at 96 dots per inch. Draws glyph at left, centred
// vertically between top and bottom, drawn at the density dpi.
void DrawBrowserGlyph(HDC dc, BrowserGlyph glyph, int left, int top, int bottom, Dpi dpi = {});

}  // namespace korvath
