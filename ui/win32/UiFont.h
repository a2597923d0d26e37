#pragma once
// The fonts of the program's windows.

#include "Handles.h"

namespace korvath {

// "ＭＳ Ｐゴシック", Shift-JIS, the given character height, normal weight.
HFONT CreateUiFont(int characterHeight);

// Any face, weight and slant, Shift-JIS; the height is the character height.
HFONT CreateShiftJisFont(int characterHeight, int weight, bool italic, const char* face);

}  // namespace korvath
