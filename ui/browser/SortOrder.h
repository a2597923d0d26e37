#pragma once
// The file list's order applied with the user locale's collation: one key
// per name, one stable sort.

#include <cstdint>
#include <string>
#include <vector>

#include "FileOrder.h"

namespace korvath {

// Sorts names in place under order; lastWrites (one per name, FILETIME
// ticks) is moved along with them.
void SortFolderNames(FileOrder order, std::vector<std::string>& names,
                     std::vector<std::uint64_t>& lastWrites);

}  // namespace korvath
