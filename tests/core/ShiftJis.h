#pragma once
// Shift-JIS as code page 932 has it, for the test doubles that stand for
// files earlier versions wrote: glibc's iconv natively, the system's own
// conversion under Windows.

#include <optional>
#include <string>
#include <string_view>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "Utf8.h"
#else
#include <iconv.h>
#endif

namespace korvath::testing {

#ifdef _WIN32

// nullopt when any character has no Shift-JIS form.
inline std::optional<std::string> ToShiftJis(std::string_view utf8) {
  const std::u16string wide = Utf8ToUtf16(utf8);
  if (wide.empty()) return std::string();
  const auto* units = reinterpret_cast<const wchar_t*>(wide.data());
  const int count = static_cast<int>(wide.size());
  BOOL lacking = FALSE;
  const int size = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, units, count, nullptr, 0,
                                       nullptr, &lacking);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, units, count, bytes.data(), size, nullptr,
                      &lacking);
  if (size == 0 || lacking) return std::nullopt;
  return bytes;
}

// nullopt when bytes are not Shift-JIS.
inline std::optional<std::string> FromShiftJis(std::string_view bytes) {
  if (bytes.empty()) return std::string();
  const int count = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), count, nullptr, 0);
  if (size == 0) return std::nullopt;
  std::u16string wide(static_cast<std::size_t>(size), u'\0');
  MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), count,
                      reinterpret_cast<wchar_t*>(wide.data()), size);
  return Utf16ToUtf8(wide);
}

#else

// text in code page to, read as code page from; nullopt when any of it does
// not convert.
inline std::optional<std::string> ConvertText(std::string_view text, const char* to,
                                              const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(text.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char* outAt = out.data();
  std::size_t outLeft = out.size();
  const std::size_t done = iconv(cd, &in, &inLeft, &outAt, &outLeft);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

inline std::optional<std::string> ToShiftJis(std::string_view utf8) {
  return ConvertText(utf8, "CP932", "UTF-8");
}
inline std::optional<std::string> FromShiftJis(std::string_view bytes) {
  return ConvertText(bytes, "UTF-8", "CP932");
}

#endif

}  // namespace korvath::testing
