#include "SequenceNumber.h"

#include <charconv>

#include "Texts.h"

namespace korvath {

const std::array<std::string_view, 10> ZeroPadTable = {
    "", "0", "00", "000", "0000", "00000", "000000", "0000000", "00000000", "000000000"};

// Data, not texts: the characters a number is written in when full width.
const std::array<FullWidthPair, 15> FullWidthTable = {{
    {'0', "０"},
    {'1', "１"},
    {'2', "２"},
    {'3', "３"},
    {'4', "４"},
    {'5', "５"},
    {'6', "６"},
    {'7', "７"},
    {'8', "８"},
    {'9', "９"},
    {'.', "．"},
    {'e', "Ｅ"},
    {'E', "Ｅ"},
    {'+', "＋"},
    {'-', "－"},
}};

namespace {

// Position + 1 in FullWidthTable of each byte, 0 for none: one look-up per
// character, as the preview widens thousands of numbers per keystroke.
struct FullWidthIndex {
  unsigned char Position[256] = {};
  FullWidthIndex() {
    // The first entry for a character wins, as a scan of the row would.
    for (std::size_t i = FullWidthTable.size(); i-- > 0;) {
      Position[static_cast<unsigned char>(FullWidthTable[i].Source)] =
          static_cast<unsigned char>(i + 1);
    }
  }
};

}  // namespace

void AppendFullWidthDigits(std::string& out, std::string_view text) {
  static const FullWidthIndex index;
  for (char c : text) {
    const unsigned position = index.Position[static_cast<unsigned char>(c)];
    if (position == 0) throw EConvertError(std::string(Text(kTextCannotConvert)));
    out.append(FullWidthTable[position - 1].Target);
  }
}

std::string ToFullWidthDigits(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  AppendFullWidthDigits(out, text);
  return out;
}

void AppendSequenceNumber(std::string& out, int digitCount, std::int64_t number, bool fullWidth) {
  char digits[24];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, number);
  (void)ec;  // 24 bytes hold any 64-bit number
  std::string_view plain(digits, static_cast<std::size_t>(end - digits));
  // Callers never pass a negative number; should one come, its sign goes
  // before the padding rather than inside it.
  const std::string_view sign = number < 0 ? plain.substr(0, 1) : std::string_view();
  plain.remove_prefix(sign.size());
  // The length counts digits only, so a ten-digit number gets no padding
  // whatever the digit count.
  const int padding = digitCount - static_cast<int>(plain.size());
  const std::string_view zeros =
      padding >= 0 && padding <= 9 ? ZeroPadTable[static_cast<std::size_t>(padding)] : "";
  if (fullWidth) {
    AppendFullWidthDigits(out, sign);
    AppendFullWidthDigits(out, zeros);
    AppendFullWidthDigits(out, plain);
  } else {
    out.append(sign);
    out.append(zeros);
    out.append(plain);
  }
}

std::string FormatSequenceNumber(int digitCount, std::int64_t number, bool fullWidth) {
  std::string out;
  AppendSequenceNumber(out, digitCount, number, fullWidth);
  return out;
}

}  // namespace korvath
