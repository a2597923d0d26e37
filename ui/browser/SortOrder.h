#pragma once
// The file list's order applied with the user locale's collation: one key
// per name, one stable sort.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FileOrder.h"

namespace korvath {

// The positions of names in order; times (one per name, FILETIME ticks)
// are what the date orders compare.
std::vector<std::size_t> SortedFolderPositions(FileOrder order,
                                               const std::vector<std::string>& names,
                                               const std::vector<std::uint64_t>& times);

}  // namespace korvath
