#pragma once
// Buttons that show a glyph drawn at run time: the small speed buttons,
// which never take the keyboard focus, and the Execute button's picture.

#include <windows.h>

#include "Dpi.h"

namespace korvath {

enum class Glyph : int {
  TriangleUp,
  TriangleDown,
  FolderUp,     // parent folder
  TickedBox,    // check all
  EmptyBox,     // check none
  ExecuteDisc,  // red disc, a grey ring while disabled
};

// Speed buttons: a click (mouse down and up inside) sends
// WM_COMMAND(id, BN_CLICKED) to the parent; the focus stays where it was.
HWND CreateSpeedButton(HWND parent, int id, Glyph glyph, int left, int top, int width, int height);
// The pixel density a speed button draws its glyph at (96 until set).
void SetSpeedButtonDpi(HWND button, Dpi dpi);

// Draws a glyph centred on (cx, cy), its 96-dots-per-inch shape scaled to dpi.
void DrawGlyph(HDC dc, Glyph glyph, int cx, int cy, bool enabled, Dpi dpi = {});

// Where a button with a 16-pixel glyph left of its caption puts the two:
// the glyph, 8 pixels, the caption, as one block centred in the button.
struct GlyphCaptionPlace {
  int glyphLeft = 0;
  int captionLeft = 0;
};
GlyphCaptionPlace PlaceGlyphAndCaption(int buttonWidth, int captionWidth, Dpi dpi = {});
inline constexpr int kExecuteGlyphSize = 16;
inline constexpr int kGlyphCaptionSpacing = 8;

// Paints the owner-drawn Execute button.
void DrawExecuteButton(const DRAWITEMSTRUCT& item, HFONT font, Dpi dpi = {});

}  // namespace korvath
