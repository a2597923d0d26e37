#include "IoError.h"

#include <windows.h>

#include <string>

#include "Texts.h"

namespace korvath {

std::string IoErrorText(unsigned long code) {
  switch (code) {
    case 2:
      return std::string(Text(kTextIoFileNotFound));
    case 3:
      return std::string(Text(kTextIoInvalidName));
    case 4:
      return std::string(Text(kTextIoTooManyOpenFiles));
    case 5:
      return std::string(Text(kTextIoAccessDenied));
    default:
      return FormatText(kTextIoError, {std::to_string(static_cast<int>(code))});
  }
}

EInOutError::EInOutError(unsigned long code) : std::runtime_error(IoErrorText(code)), code_(code) {}

void RaiseLastIoError() { throw EInOutError(GetLastError()); }

}  // namespace korvath
