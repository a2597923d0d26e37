#include "SortOrder.h"

#include "Win32Collation.h"

namespace korvath {
namespace {

// Pieces of a name keyed as whole names are: case-insensitive, user locale.
class LocaleCollation : public TextCollation {
 public:
  void AppendKey(std::string_view text, std::string& key) const override {
    AppendCaseInsensitiveSortKey(text, key);
  }
};

}  // namespace

void SortFolderNames(FileOrder order, std::vector<std::string>& names,
                     std::vector<std::uint64_t>& lastWrites) {
  lastWrites.resize(names.size());
  const std::vector<std::size_t> positions =
      SortedPositions(order, names, lastWrites, LocaleCollation());
  std::vector<std::string> sortedNames;
  std::vector<std::uint64_t> sortedTimes;
  sortedNames.reserve(names.size());
  sortedTimes.reserve(names.size());
  for (std::size_t position : positions) {
    sortedNames.push_back(std::move(names[position]));
    sortedTimes.push_back(lastWrites[position]);
  }
  names = std::move(sortedNames);
  lastWrites = std::move(sortedTimes);
}

}  // namespace korvath
