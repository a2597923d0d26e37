#include "FileOrder.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "Utf8.h"

namespace korvath {
namespace {

// Tags of the natural key's pieces. At one position a number comes before
// text, and a name that ends there before both.
constexpr char kEndOfName = '\x00';
constexpr char kNumberPiece = '\x01';
constexpr char kTextPiece = '\x02';

// The value 0 to 9 of the digit at text[pos] (ASCII or full-width U+FF10 to
// U+FF19, EF BC 90 to EF BC 99, as the program writes its own full-width
// numbers), or -1.
int DigitAt(std::string_view text, std::size_t pos) {
  const auto c = static_cast<unsigned char>(text[pos]);
  if (c >= '0' && c <= '9') return c - '0';
  if (c == 0xEF && pos + 2 < text.size() && static_cast<unsigned char>(text[pos + 1]) == 0xBC) {
    const auto last = static_cast<unsigned char>(text[pos + 2]);
    if (last >= 0x90 && last <= 0x99) return last - 0x90;
  }
  return -1;
}

void AppendBigEndian(std::uint64_t value, int bytes, std::string& key) {
  for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) {
    key.push_back(static_cast<char>((value >> shift) & 0xFF));
  }
}

// A collation key inside a longer key: a zero byte is written as 00 FF and
// the piece ends in 00 00, so a piece that is a prefix of another sorts first
// and equal pieces hand over to what follows them.
void AppendTextPiece(std::string_view text, const TextCollation& collation, std::string& scratch,
                     std::string& key) {
  scratch.clear();
  collation.AppendKey(text, scratch);
  key.push_back(kTextPiece);
  for (char byte : scratch) {
    key.push_back(byte);
    if (byte == '\0') key.push_back('\xFF');
  }
  key.append(2, '\0');
}

void AppendNaturalKey(std::string_view name, const TextCollation& collation, std::string& key) {
  // Numbers equal in value ("01", "1", "１") are told apart only at the end,
  // so that they never outweigh what follows them.
  std::string tieBreak;
  std::string scratch;
  std::size_t pos = 0;
  while (pos < name.size()) {
    const std::size_t start = pos;
    if (DigitAt(name, pos) >= 0) {
      std::string digits;
      std::size_t zeros = 0;
      while (pos < name.size() && DigitAt(name, pos) >= 0) {
        const int digit = DigitAt(name, pos);
        if (digits.empty() && digit == 0) {
          ++zeros;
        } else {
          digits.push_back(static_cast<char>('0' + digit));
        }
        pos += CharLength(name, pos);
      }
      key.push_back(kNumberPiece);
      AppendBigEndian(digits.size(), 4, key);
      key += digits;
      // More leading zeros first, then half-width before full-width.
      tieBreak.push_back(static_cast<char>(0xFF - std::min<std::size_t>(zeros, 0xFE)));
      tieBreak.append(name.substr(start, pos - start));
      tieBreak.push_back('\0');
    } else {
      while (pos < name.size() && DigitAt(name, pos) < 0) pos += CharLength(name, pos);
      AppendTextPiece(name.substr(start, pos - start), collation, scratch, key);
    }
  }
  key.push_back(kEndOfName);
  key += tieBreak;
}

struct KeySpan {
  std::size_t offset;
  std::size_t length;
};

}  // namespace

FileOrder FileOrderFromValue(int value) {
  switch (value) {
    case 1:
      return FileOrder::Natural;
    case 2:
      return FileOrder::Date;
    case 3:
      return FileOrder::ShootingDate;
    default:
      return FileOrder::Name;
  }
}

void AppendOrderKey(FileOrder order, std::string_view name, std::uint64_t time,
                    const TextCollation& collation, std::string& key) {
  switch (order) {
    case FileOrder::Natural:
      AppendNaturalKey(name, collation, key);
      break;
    case FileOrder::Date:
      AppendBigEndian(time, 8, key);
      collation.AppendKey(name, key);
      break;
    case FileOrder::ShootingDate:
      // A burst shares its second: the sub-seconds are in the ticks.
      AppendBigEndian(time, 8, key);
      AppendNaturalKey(name, collation, key);
      break;
    case FileOrder::Name:
      collation.AppendKey(name, key);
      break;
  }
}

std::vector<std::size_t> SortedPositions(FileOrder order, const std::vector<std::string>& names,
                                         const std::vector<std::uint64_t>& times,
                                         const TextCollation& collation) {
  // All keys in one buffer: one allocation for a folder of any size.
  std::string keys;
  std::size_t total = 0;
  for (const std::string& name : names) total += name.size() * 4 + 16;
  keys.reserve(total);
  std::vector<KeySpan> spans(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::size_t offset = keys.size();
    const std::uint64_t time = i < times.size() ? times[i] : 0;
    AppendOrderKey(order, names[i], time, collation, keys);
    spans[i] = {offset, keys.size() - offset};
  }
  std::vector<std::size_t> positions(names.size());
  std::iota(positions.begin(), positions.end(), std::size_t{0});
  const char* base = keys.data();
  std::stable_sort(positions.begin(), positions.end(), [&](std::size_t a, std::size_t b) {
    const KeySpan& x = spans[a];
    const KeySpan& y = spans[b];
    const int compared =
        std::memcmp(base + x.offset, base + y.offset, std::min(x.length, y.length));
    return compared != 0 ? compared < 0 : x.length < y.length;
  });
  return positions;
}

}  // namespace korvath
