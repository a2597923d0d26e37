#pragma once
// What the program's owner-drawn lists share: the list box itself, and the
// painting of a row's background, its text in the selection's colours and
// the focus rectangle. What stands before the text (a glyph, a check box) is
// each control's own.

#include <windows.h>

#include <cstddef>
#include <string>

namespace korvath {

// A list box of fixed-height rows that its control paints from its own
// data (the list keeps no texts) and that reports clicks to its parent.
HWND CreateOwnerDrawnListBox(HWND parent, int id, int left, int top, int width, int height);

// Clears the row to the window colour. False when it holds no item (the
// focus row of an empty list, or an index past `count`): the focus
// rectangle is drawn there already, and nothing more is to be drawn.
bool BeginListRow(const DRAWITEMSTRUCT& item, std::size_t count);

// One line of text in the font selected into `dc`, centred vertically in
// `textRect`, in the highlight's text colour when `selected`.
void DrawListRowText(HDC dc, const RECT& textRect, const std::wstring& text, bool selected);

// The row's text: `mark` filled with the highlight when the row is selected,
// the text drawn in `textRect`, and the focus rectangle around `mark`.
void FinishListRow(const DRAWITEMSTRUCT& item, const RECT& mark, const RECT& textRect,
                   const std::wstring& text);

}  // namespace korvath
