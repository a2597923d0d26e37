#include "IoError.h"

#include <windows.h>

#include <cstdio>

namespace korvath {

std::string IoErrorText(unsigned long code) {
  switch (code) {
    case 2:
      return "ファイルが見つかりません";
    case 3:
      return "不正なファイル名です";
    case 4:
      return "オープンしたファイルが多すぎます";
    case 5:
      return "ファイルへのアクセスが拒否されました";
    default: {
      char text[64];
      std::snprintf(text, sizeof text, "I/O エラー (%d)", static_cast<int>(code));
      return text;
    }
  }
}

EInOutError::EInOutError(unsigned long code) : std::runtime_error(IoErrorText(code)), code_(code) {}

void RaiseLastIoError() { throw EInOutError(GetLastError()); }

}  // namespace korvath
