#include "ProfileStore.h"

#include <cstdint>

#include "Utf8.h"

namespace korvath {
namespace {

// Cuts value to kMaxProfileValueLength UTF-16 units of whole characters.
void CutLongValue(std::string& value) {
  value.resize(FitUtf16Units(value, kMaxProfileValueLength));
}

}  // namespace

std::string ProfileStore::ReadString(const std::string& section, const std::string& key) {
  std::string value = ReadRaw(section, key);
  CutLongValue(value);
  return value;
}

int ProfileStore::ReadInteger(const std::string& section, const std::string& key, int fallback) {
  return ParseProfileInteger(ReadString(section, key)).value_or(fallback);
}

bool ProfileStore::WriteInteger(const std::string& section, const std::string& key, int value) {
  return WriteString(section, key, std::to_string(value));
}

std::vector<std::string> ProfileStore::ReadStrings(const std::string& section,
                                                   const std::vector<std::string>& keys) {
  std::vector<std::string> values = ReadRawStrings(section, keys);
  values.resize(keys.size());
  for (std::string& value : values) CutLongValue(value);
  return values;
}

std::vector<std::string> ProfileStore::ReadRawStrings(const std::string& section,
                                                      const std::vector<std::string>& keys) {
  std::vector<std::string> values;
  values.reserve(keys.size());
  for (const std::string& key : keys) values.push_back(ReadRaw(section, key));
  return values;
}

std::size_t ProfileStore::WriteStrings(
    const std::string& section, const std::vector<std::pair<std::string, std::string>>& values) {
  std::size_t written = 0;
  for (const auto& [key, value] : values) {
    if (!WriteString(section, key, value)) break;
    ++written;
  }
  return written;
}

namespace {
int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

std::optional<int> ParseProfileInteger(std::string_view text) {
  std::string normalized;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    normalized = "$";
    normalized += text.substr(2);
    text = normalized;
  }
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  int base = 10;
  if (pos < text.size() && (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X')) {
    base = 16;
    ++pos;
  }
  if (pos == text.size()) return std::nullopt;
  // The magnitude may reach 2^31 only for a negative value; stop as soon as
  // it passes that, so that long digit runs cannot overflow.
  constexpr std::int64_t kLimit = std::int64_t{1} << 31;
  std::int64_t magnitude = 0;
  for (; pos < text.size(); ++pos) {
    int digit = base == 16 ? HexDigitValue(text[pos])
                           : (text[pos] >= '0' && text[pos] <= '9' ? text[pos] - '0' : -1);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > kLimit) return std::nullopt;
  }
  if (!negative && magnitude == kLimit) return std::nullopt;
  return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace korvath
