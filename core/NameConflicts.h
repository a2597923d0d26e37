#pragma once
// Which new names of a batch the run could not give. Shared by the preview
// marks and the run, so that the marks show what the run will do.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace korvath {

enum class NameConflict {
  None,
  Unusable,   // the file system cannot hold the name
  Duplicate,  // an earlier row gets the same name
  Taken,      // held by a file that stays: outside the batch, or the row's own
  Blocked,    // held by a file of the batch that cannot move away
};

// Rows in list order with their old and new names as NameKey. held(r) says
// whether anything outside the batch holds row r's new name; it is asked
// only for rows whose name no file of the batch leaves behind.
std::vector<NameConflict> FindConflicts(const std::vector<std::string>& oldKeys,
                                        const std::vector<std::string>& newKeys,
                                        const std::vector<bool>& unusable,
                                        const std::function<bool(std::size_t)>& held);

}  // namespace korvath
