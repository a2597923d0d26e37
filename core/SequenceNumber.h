#pragma once
// Sequence numbers as they appear in new file names: zero-padded to a
// minimum number of digits, optionally in full-width (zenkaku) digits.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace korvath {

// Raised when a text to be widened holds a character that has no full-width
// form. Derived from std::runtime_error so that the general error report
// shows what().
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Entry k is k ASCII zeros (0 to 9).
extern const std::array<std::string_view, 10> ZeroPadTable;

// One ASCII character and its full-width form (U+FF0B to U+FF25).
struct FullWidthPair {
  char Source;
  std::string_view Target;  // three UTF-8 bytes
};

// "0123456789.eE+-" to "０１２３４５６７８９．ＥＥ＋－", position for position.
extern const std::array<FullWidthPair, 15> FullWidthTable;

// Full-width form of a text made only of characters of FullWidthTable; the
// result has three bytes for each one of text. Throws EConvertError ("変換できません")
// for any other character.
std::string ToFullWidthDigits(std::string_view text);

// Appends the full-width form of text to out (same rules and error).
void AppendFullWidthDigits(std::string& out, std::string_view text);

// The text of a sequence number: number zero-padded to digitCount digits
// (a minimum: longer numbers are never shortened), widened when fullWidth.
// Callers pass numbers from 0 up; digitCount is 1 to 10.
std::string FormatSequenceNumber(int digitCount, std::int64_t number, bool fullWidth);

// Appends the same text to out without building a temporary string; the
// preview composes thousands of names per keystroke with it.
void AppendSequenceNumber(std::string& out, int digitCount, std::int64_t number, bool fullWidth);

}  // namespace korvath
