#include "TakenNames.h"

#include <vector>

#include "NameKeys.h"
#include "cp932.h"

namespace korvath {

void TakenNames::Reset(FileSystem* fileSystem, std::string folder) {
  fileSystem_ = fileSystem;
  folder_ = std::move(folder);
  byFolder_.clear();
}

bool TakenNames::Holds(const std::string& key) {
  if (fileSystem_ == nullptr) return false;
  const std::size_t slash = FindLastDelimiter(key, "\\");
  const std::string subfolder = slash == std::string::npos ? std::string() : key.substr(0, slash);
  auto found = byFolder_.find(subfolder);
  if (found == byFolder_.end()) {
    std::vector<std::string> names;
    fileSystem_->ListNames(JoinPath(folder_, subfolder), names);
    std::unordered_set<std::string> keys;
    keys.reserve(names.size());
    for (const std::string& name : names) {
      keys.insert(subfolder.empty() ? NameKey(name) : subfolder + "\\" + NameKey(name));
    }
    found = byFolder_.emplace(subfolder, std::move(keys)).first;
  }
  return found->second.count(key) != 0;
}

}  // namespace korvath
