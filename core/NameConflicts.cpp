#include "NameConflicts.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace korvath {

std::vector<NameConflict> FindConflicts(const std::vector<std::string>& oldKeys,
                                        const std::vector<std::string>& newKeys,
                                        const std::vector<bool>& unusable,
                                        const std::function<bool(std::size_t)>& held) {
  const std::size_t rows = newKeys.size();
  std::vector<NameConflict> conflicts(rows, NameConflict::None);
  std::unordered_map<std::string_view, std::size_t> leaving;  // old name -> row
  leaving.reserve(rows);
  for (std::size_t r = 0; r < rows; ++r) leaving.emplace(oldKeys[r], r);
  std::unordered_set<std::string_view> given;
  given.reserve(rows);
  std::vector<std::size_t> relying;  // rows waiting for a file of the batch to move
  for (std::size_t r = 0; r < rows; ++r) {
    if (!given.insert(newKeys[r]).second) {
      conflicts[r] = NameConflict::Duplicate;
    } else if (unusable[r]) {
      conflicts[r] = NameConflict::Unusable;
    } else if (newKeys[r] == oldKeys[r]) {
      conflicts[r] = NameConflict::Taken;  // it would have to move away from itself
    } else if (leaving.count(newKeys[r]) != 0) {
      relying.push_back(r);
    } else if (held(r)) {
      conflicts[r] = NameConflict::Taken;
    }
  }
  // A file that cannot move keeps its name from whoever waits for it, and so
  // on down the chain: followed from each such file, each row once.
  std::unordered_map<std::string_view, std::size_t> waiting;  // new name -> relying row
  waiting.reserve(relying.size());
  for (std::size_t r : relying) waiting.emplace(newKeys[r], r);
  std::vector<std::size_t> staying;
  for (std::size_t r = 0; r < rows; ++r) {
    if (conflicts[r] != NameConflict::None) staying.push_back(r);
  }
  while (!staying.empty()) {
    const std::size_t h = staying.back();
    staying.pop_back();
    const auto waiter = waiting.find(oldKeys[h]);
    if (waiter == waiting.end() || conflicts[waiter->second] != NameConflict::None) continue;
    conflicts[waiter->second] = NameConflict::Blocked;
    staying.push_back(waiter->second);
  }
  return conflicts;
}

}  // namespace korvath
