#pragma once
// The browser's glyphs, drawn with GDI once per process: the drive types of
// the drive selector and the folders of the folder list. Each glyph is drawn
// with the colour of its bottom-left pixel as the transparent colour.

#include <windows.h>

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

// Draws glyph at left, centred vertically between top and bottom.
void DrawBrowserGlyph(HDC dc, BrowserGlyph glyph, int left, int top, int bottom);

}  // namespace korvath
