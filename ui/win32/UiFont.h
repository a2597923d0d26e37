#pragma once
// The fonts of the program's windows.

#include "Handles.h"

namespace korvath {

// The windows' face for the language in use ("ＭＳ Ｐゴシック", Shift-JIS, for
// Japanese; the system's dialog face otherwise), the given character height.
HFONT CreateUiFont(int characterHeight, int weight = FW_NORMAL);

// Any face, weight and slant, Shift-JIS; the height is the character height.
HFONT CreateShiftJisFont(int characterHeight, int weight, bool italic, const char* face);

}  // namespace korvath
