#include "TakenNames.h"

#include <vector>

#include "NameKeys.h"
#include "Utf8.h"

namespace korvath {

void TakenNames::Reset(FileSystem* fileSystem, std::string folder) {
  fileSystem_ = fileSystem;
  folder_ = std::move(folder);
  byFolder_.clear();
  root_ = nullptr;
}

bool TakenNames::Holds(const std::string& key) {
  if (fileSystem_ == nullptr) return false;
  // Most names have no "\" byte at all: the folder's own set, at once.
  if (key.find('\\') == std::string::npos && root_ != nullptr) {
    return root_->Index.Find(key) != std::string::npos;
  }
  const std::size_t slash = FindLastDelimiter(key, "\\");
  const std::string subfolder = slash == std::string::npos ? std::string() : key.substr(0, slash);
  auto found = byFolder_.find(subfolder);
  if (found == byFolder_.end()) {
    std::vector<std::string> names;
    fileSystem_->ListNames(JoinPath(folder_, subfolder), names);
    auto listing = std::make_unique<Listing>();
    listing->Keys.reserve(names.size());
    for (const std::string& name : names) {
      listing->Keys.push_back(subfolder.empty() ? NameKey(name) : subfolder + "\\" + NameKey(name));
    }
    listing->Index.Build(listing->Keys);
    found = byFolder_.emplace(subfolder, std::move(listing)).first;
    if (subfolder.empty()) root_ = found->second.get();
  }
  return found->second->Index.Find(key) != std::string::npos;
}

}  // namespace korvath
