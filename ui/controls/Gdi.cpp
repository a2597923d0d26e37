#include "Gdi.h"

namespace korvath {

HFONT CreateUiFont(int characterHeight) {
  // A negative height asks for the character height, not the cell height.
  return CreateFontA(-characterHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック");
}

}  // namespace korvath
