#pragma once
// The few places that still speak a code page: the settings file (Shift-JIS,
// as earlier versions wrote it), an earlier version's journal, and the path
// the profile functions take in the ANSI code page.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace korvath {

inline constexpr UINT kShiftJis = 932;

// text in codePage, or nullopt when some character has no exact form there:
// neither the default character nor a best-fit look-alike is ever written in
// its place.
std::optional<std::string> Encoded(std::string_view text, UINT codePage);

// Shift-JIS bytes as UTF-8. Strict: nullopt for bytes that are no Shift-JIS;
// otherwise such bytes become replacement characters.
std::optional<std::string> FromShiftJis(std::string_view bytes, bool strict);

inline std::optional<std::string> ToShiftJis(std::string_view text) {
  return Encoded(text, kShiftJis);
}

// True when the settings file's Shift-JIS holds text and gives it back
// unchanged.
inline bool ShiftJisHolds(std::string_view text) { return ToShiftJis(text).has_value(); }

}  // namespace korvath
