#pragma once
// Names and texts are UTF-8 inside the program. Windows hands out and takes
// UTF-16; these convert between the two without loss.
//
// File names on Windows are sequences of 16-bit units that need not be valid
// UTF-16: a lone surrogate is a legal name character. Such a unit is kept as
// the three-byte form UTF-8 would give its code point (the "WTF-8" scheme),
// so every name read from a folder converts back to exactly the same units.
//
// In UTF-8 no byte of a multi-byte character is below 0x80, so a scan for
// "\", "/", "|" or "." byte by byte never stops inside a character.

#include <cstddef>
#include <string>
#include <string_view>

namespace korvath {

// UTF-16 (any sequence of units) to UTF-8, lone surrogates kept as above.
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16; the inverse of Utf16ToUtf8. A byte that starts no valid
// sequence becomes U+FFFD, so text from outside the program cannot break it.
std::u16string Utf8ToUtf16(std::string_view text);

// Length in bytes of the character starting at text[pos] (1 to 4; 1 for a
// byte that starts no valid sequence, so a scan always moves on).
std::size_t CharLength(std::string_view text, std::size_t pos);

// The code point of the character starting at text[pos] (U+FFFD for a byte
// that starts no valid sequence).
char32_t CodePointAt(std::string_view text, std::size_t pos);

// Appends code point c to out as UTF-8.
void AppendCodePoint(std::string& out, char32_t c);

// Length of text in UTF-16 units, as Windows counts names and paths: a
// character past U+FFFF is two, a byte that starts no valid sequence one.
std::size_t Utf16Length(std::string_view text);

// Bytes of the longest start of text that is whole characters and at most
// units UTF-16 units long.
std::size_t FitUtf16Units(std::string_view text, std::size_t units);

// Position of the last byte of text that is one of the ASCII delimiters, or
// npos; the first such byte at or after from.
std::size_t FindLastDelimiter(std::string_view text, std::string_view delimiters);
std::size_t FindFirstDelimiter(std::string_view text, std::string_view delimiters,
                               std::size_t from = 0);

}  // namespace korvath
