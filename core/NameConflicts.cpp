#include "NameConflicts.h"

#include <functional>
#include <string_view>

namespace korvath {

void KeyIndex::Reset(const std::vector<std::string>& keys, std::size_t capacity) {
  keys_ = &keys;
  std::size_t size = 16;
  while (size < capacity * 2) size *= 2;
  slots_.assign(size, 0);
  mask_ = size - 1;
}

void KeyIndex::Build(const std::vector<std::string>& keys) {
  Reset(keys, keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) Add(i);
}

namespace {
constexpr std::uint64_t kIndexBits = 0xFFFFFFFFu;
std::uint64_t HashOf(std::string_view key) {
  return static_cast<std::uint64_t>(std::hash<std::string_view>()(key));
}
// The hash as it is kept beside the index.
std::uint64_t Tag(std::uint64_t hash) { return hash & ~kIndexBits; }
}  // namespace

std::size_t KeyIndex::Add(std::size_t i) {
  const std::string& key = (*keys_)[i];
  const std::uint64_t hash = HashOf(key);
  for (std::size_t slot = static_cast<std::size_t>(hash) & mask_;; slot = (slot + 1) & mask_) {
    const std::uint64_t entry = slots_[slot];
    if (entry == 0) {
      slots_[slot] = Tag(hash) | static_cast<std::uint64_t>(i + 1);
      return std::string_view::npos;
    }
    const std::size_t index = static_cast<std::size_t>(entry & kIndexBits) - 1;
    if (Tag(entry) == Tag(hash) && (*keys_)[index] == key) return index;
  }
}

std::size_t KeyIndex::Find(std::string_view key) const {
  if (slots_.empty()) return std::string_view::npos;
  const std::uint64_t hash = HashOf(key);
  for (std::size_t slot = static_cast<std::size_t>(hash) & mask_;; slot = (slot + 1) & mask_) {
    const std::uint64_t entry = slots_[slot];
    if (entry == 0) return std::string_view::npos;
    const std::size_t index = static_cast<std::size_t>(entry & kIndexBits) - 1;
    if (Tag(entry) == Tag(hash) && (*keys_)[index] == key) return index;
  }
}

std::vector<NameConflict> FindConflicts(const std::vector<std::string>& oldKeys,
                                        const std::vector<std::string>& newKeys,
                                        const std::vector<bool>& unusable,
                                        const std::function<bool(std::size_t)>& held,
                                        const LeavingNames* leavingNames,
                                        const std::vector<bool>* unchanged,
                                        const std::function<bool()>& stop) {
  const std::size_t rows = newKeys.size();
  std::vector<NameConflict> conflicts(rows, NameConflict::None);
  LeavingNames built;
  if (leavingNames == nullptr) {
    built.Build(oldKeys);
    leavingNames = &built;
  }
  const LeavingNames& leaving = *leavingNames;
  KeyIndex given;
  given.Reset(newKeys, rows);
  // A file that keeps its name holds it before any row asks for it.
  if (unchanged != nullptr) {
    for (std::size_t r = 0; r < rows; ++r) {
      if (!(*unchanged)[r] || unusable[r]) continue;
      conflicts[r] = NameConflict::Unchanged;
      given.Add(r);
    }
  }
  constexpr std::size_t kStopEvery = 4096;
  std::vector<std::size_t> relying;  // rows waiting for a file of the batch to move
  for (std::size_t r = 0; r < rows; ++r) {
    if (stop && r % kStopEvery == 0 && stop()) return {};
    if (conflicts[r] == NameConflict::Unchanged) continue;
    if (given.Add(r) != std::string_view::npos) {
      conflicts[r] = NameConflict::Duplicate;
    } else if (unusable[r]) {
      conflicts[r] = NameConflict::Unusable;
    } else if (newKeys[r] == oldKeys[r]) {
      // Only its letter case changes: the file steps onto its own name,
      // which it frees as it goes.
    } else if (leaving.RowOf(newKeys[r]) != std::string_view::npos) {
      relying.push_back(r);
    } else if (held(r)) {
      conflicts[r] = NameConflict::Taken;
    }
  }
  // A file that cannot move keeps its name from whoever waits for it, and so
  // on down the chain: followed from each such file, each row once.
  KeyIndex waiting;  // new names of the relying rows
  waiting.Reset(newKeys, relying.size());
  for (std::size_t r : relying) waiting.Add(r);
  std::vector<std::size_t> staying;
  for (std::size_t r = 0; r < rows; ++r) {
    if (conflicts[r] != NameConflict::None) staying.push_back(r);
  }
  while (!staying.empty()) {
    const std::size_t h = staying.back();
    staying.pop_back();
    const std::size_t waiter = waiting.Find(oldKeys[h]);
    if (waiter == std::string_view::npos || conflicts[waiter] != NameConflict::None) continue;
    conflicts[waiter] = NameConflict::Blocked;
    staying.push_back(waiter);
  }
  return conflicts;
}

}  // namespace korvath
