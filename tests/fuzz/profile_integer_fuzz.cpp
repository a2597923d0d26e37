// The settings file's integer reader on arbitrary text: it must never
// overflow, and whatever it accepts must agree with a plain reading of the
// text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ProfileStore.h"

namespace {

// A straightforward reading with 128-bit arithmetic, for the texts that
// need no rewriting: blanks, sign, an optional "$"/"x"/"X", digits.
bool Reference(std::string_view text, int& value) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  int base = 10;
  if (pos < text.size() && (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X')) {
    base = 16;
    ++pos;
  }
  if (pos == text.size()) return false;
  __int128 magnitude = 0;
  for (; pos < text.size(); ++pos) {
    char c = text[pos];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > (static_cast<__int128>(1) << 40)) return false;
  }
  __int128 signedValue = negative ? -magnitude : magnitude;
  if (signedValue < INT32_MIN || signedValue > INT32_MAX) return false;
  value = static_cast<int>(signedValue);
  return true;
}

class OneValueStore : public korvath::ProfileStore {
 public:
  explicit OneValueStore(std::string value) : value_(std::move(value)) {}
  bool WriteString(const std::string&, const std::string&, const std::string&) override {
    return true;
  }

 protected:
  std::string ReadRaw(const std::string&, const std::string&) override { return value_; }

 private:
  std::string value_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::optional<int> parsed = korvath::ParseProfileInteger(text);

  std::string rewritten(text);
  if (rewritten.size() > 2 && rewritten[0] == '0' && (rewritten[1] == 'x' || rewritten[1] == 'X')) {
    rewritten.replace(0, 2, "$");
  }
  int expected = 0;
  bool valid = Reference(rewritten, expected);
  if (valid != parsed.has_value()) std::abort();
  if (valid && *parsed != expected) std::abort();
  // What a value writes back reads as the same value.
  if (parsed && korvath::ParseProfileInteger(std::to_string(*parsed)) != parsed) std::abort();

  OneValueStore store{std::string(text)};
  int read = store.ReadInteger("Form", "Left", 198);
  std::string cut(text.substr(0, korvath::kMaxProfileValueLength));
  if (read != korvath::ParseProfileInteger(cut).value_or(198)) std::abort();
  return 0;
}
