#include "UiFont.h"

#include "WideText.h"

namespace korvath {

HFONT CreateShiftJisFont(int characterHeight, int weight, bool italic, const char* face) {
  // A negative height asks for the character height, not the cell height.
  return CreateFontW(-characterHeight, 0, 0, 0, weight, italic, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, Widen(face).c_str());
}

HFONT CreateUiFont(int characterHeight) {
  return CreateShiftJisFont(characterHeight, FW_NORMAL, false, "ＭＳ Ｐゴシック");
}

}  // namespace korvath
