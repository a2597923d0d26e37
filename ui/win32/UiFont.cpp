#include "UiFont.h"

#include "Texts.h"
#include "WideText.h"

namespace korvath {

HFONT CreateShiftJisFont(int characterHeight, int weight, bool italic, const char* face) {
  // A negative height asks for the character height, not the cell height.
  return CreateFontW(-characterHeight, 0, 0, 0, weight, italic, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, Widen(face).c_str());
}

HFONT CreateUiFont(int characterHeight, int weight) {
  if (CurrentLanguage() == Language::Japanese) {
    // A face name is data, not a text: it names the font on every Windows.
    return CreateShiftJisFont(characterHeight, weight, false, "ＭＳ Ｐゴシック");
  }
  // The dialog face of every Windows, which links to the faces of other
  // scripts for the names it cannot draw itself.
  return CreateFontW(-characterHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg 2");
}

}  // namespace korvath
