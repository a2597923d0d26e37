#include "CommandLine.h"

namespace korvath {

// No byte of the second half of a Shift-JIS character is a blank or a
// quote (they run from 0x40 up), so the bytes can be taken one by one.
std::vector<std::string> CommandLinePaths(std::string_view arguments) {
  std::vector<std::string> paths;
  std::string current;
  bool quoted = false;
  for (char c : arguments) {
    if (c == '"') {
      quoted = !quoted;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (!current.empty()) paths.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) paths.push_back(std::move(current));
  return paths;
}

}  // namespace korvath
