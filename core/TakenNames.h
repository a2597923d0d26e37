#pragma once
// Every name held in the shown folder, files and folders alike, hidden or
// filtered out of the list or not: what a new name must not collide with.
// Read once per reading of the folder (the preview asks on every keystroke),
// and a subfolder named by a prefix such as "sub\" once when first asked.

#include <string>
#include <unordered_map>
#include <memory>
#include <vector>

#include "NameConflicts.h"

#include "RenameRun.h"

namespace korvath {

class TakenNames {
 public:
  // The folder has been read (again): forget what was read before.
  void Reset(FileSystem* fileSystem, std::string folder);
  const std::string& Folder() const { return folder_; }
  // True when an entry has this NameKey (relative to the folder; a key
  // with "\" looks into that subfolder).
  bool Holds(const std::string& key);

 private:
  FileSystem* fileSystem_ = nullptr;
  std::string folder_;
  // Subfolder key ("" for the folder itself) -> keys of its entries,
  // subfolder included.
  struct Listing {
    std::vector<std::string> Keys;
    KeyIndex Index;
  };
  std::unordered_map<std::string, std::unique_ptr<Listing>> byFolder_;
  const Listing* root_ = nullptr;  // byFolder_[""] once read
};

}  // namespace korvath
