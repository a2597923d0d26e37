#pragma once
// Shift-JIS as Windows' code page 932 has it, through glibc's iconv, for the
// test doubles that stand for files earlier versions wrote.

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace korvath::testing {

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

}  // namespace korvath::testing
