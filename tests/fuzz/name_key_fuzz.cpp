// Name keys and length checks on arbitrary bytes. The key of a valid name
// must equal a plain reading of the upper-case runs unit by unit, a key
// must be its own key, and the checks must never read past the text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "NameKeys.h"
#include "UpperCaseTable.h"
#include "Utf8.h"

namespace {

// The unit's upper-case form by a scan of every run.
char16_t Upper(char16_t unit) {
  if (unit >= u'a' && unit <= u'z') return static_cast<char16_t>(unit - u'a' + u'A');
  if (unit == u'/') return u'\\';
  for (std::size_t i = 0; i < korvath::UpperCaseRunCount; ++i) {
    const korvath::UpperCaseRun& run = korvath::UpperCaseRuns[i];
    if (unit >= run.First && unit <= run.Last && (unit - run.First) % run.Stride == 0) {
      return static_cast<char16_t>(unit + run.Delta);
    }
  }
  return unit;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view name(reinterpret_cast<const char*>(data), size);
  const std::string key = korvath::NameKey(name);
  if (korvath::NameKey(key) != key) std::abort();

  std::u16string units = korvath::Utf8ToUtf16(name);
  if (korvath::Utf16ToUtf8(units) == name) {  // a name as the folder gives it
    if (korvath::Utf16Length(name) != units.size()) std::abort();
    for (char16_t& unit : units) unit = Upper(unit);
    if (korvath::Utf16ToUtf8(units) != key) std::abort();
  }

  const std::size_t limit = size == 0 ? 0 : data[0];
  const std::size_t fit = korvath::FitUtf16Units(name, limit);
  if (fit > size || korvath::Utf16Length(name.substr(0, fit)) > limit) std::abort();
  if (fit < size &&
      korvath::Utf16Length(name.substr(0, fit + korvath::CharLength(name, fit))) <= limit) {
    std::abort();  // one more character would have fitted
  }
  korvath::CheckNameFits(name, limit);
  return 0;
}
