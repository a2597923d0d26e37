#pragma once
// The painting the program's owner-drawn lists share: a row's background,
// its text in the selection's colours and the focus rectangle. What stands
// before the text (a glyph, a check box) is each control's own.

#include <windows.h>

#include <cstddef>
#include <string>

namespace korvath {

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
