#include "SortOrder.h"

#include <string_view>
#include <unordered_map>

#include "Win32Collation.h"

namespace korvath {
namespace {

// Pieces of a name keyed as whole names are: case-insensitive, user locale.
// The text between numbers repeats from name to name ("IMG_", ".jpg"), so in
// the natural order each piece asks the locale once.
class LocaleCollation : public TextCollation {
 public:
  explicit LocaleCollation(bool remember) : remember_(remember) {}

  void AppendKey(std::string_view text, std::string& key) const override {
    if (!remember_) {
      AppendCaseInsensitiveSortKey(text, key);
      return;
    }
    auto [known, added] = keys_.try_emplace(std::string(text));
    if (added) AppendCaseInsensitiveSortKey(text, known->second);
    key += known->second;
  }

 private:
  bool remember_;
  mutable std::unordered_map<std::string, std::string> keys_;
};

}  // namespace

std::vector<std::size_t> SortedFolderPositions(FileOrder order,
                                               const std::vector<std::string>& names,
                                               const std::vector<std::uint64_t>& times) {
  const bool pieces = order == FileOrder::Natural || order == FileOrder::ShootingDate;
  return SortedPositions(order, names, times, LocaleCollation(pieces));
}

}  // namespace korvath
