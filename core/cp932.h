#pragma once
// Walking Shift-JIS (cp932) byte strings by characters.
//
// "\" (0x5C) and "|" (0x7C) also occur as the second byte of double-byte
// characters (表 is 95 5C, ソ is 83 5C), so every scan for a delimiter must
// step over whole characters, never over bytes.

#include <cstddef>
#include <string_view>

namespace korvath {

// True for the bytes that start a double-byte character in cp932.
constexpr bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character starting at text[pos]: 2 for a lead byte
// followed by another byte, else 1 (a lead byte at the very end stands alone).
constexpr std::size_t CharLength(std::string_view text, std::size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// Position of the last single-byte character of text that is one of
// delimiters, or npos. Second bytes of double-byte characters never match.
std::size_t FindLastDelimiter(std::string_view text, std::string_view delimiters);

// Position of the first such character at or after from, or npos.
std::size_t FindFirstDelimiter(std::string_view text, std::string_view delimiters,
                               std::size_t from = 0);

}  // namespace korvath
