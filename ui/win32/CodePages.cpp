#include "CodePages.h"

#include "WideText.h"

namespace korvath {

std::optional<std::string> Encoded(std::string_view text, UINT codePage) {
  // A system whose ANSI code page is UTF-8 takes the text as it is (and
  // would refuse the flags below).
  if (codePage == CP_ACP && GetACP() == CP_UTF8) return std::string(text);
  const std::wstring wide = Widen(text);
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr,
                                         0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, bytes.data(), length,
                      nullptr, &usedDefault);
  // Some code pages map a character to one that reads back as another.
  const int back = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  std::wstring readBack(static_cast<std::size_t>(back > 0 ? back : 0), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), length, readBack.data(), back);
  if (usedDefault || readBack != wide) return std::nullopt;
  return bytes;
}

std::optional<std::string> FromShiftJis(std::string_view bytes, bool strict) {
  if (bytes.empty()) return std::string();
  const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(kShiftJis, flags, bytes.data(), size, nullptr, 0);
  if (length <= 0) return strict ? std::nullopt : std::optional<std::string>(std::string());
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kShiftJis, flags, bytes.data(), size, wide.data(), length);
  return Narrow(wide);
}

}  // namespace korvath
