#include "CommandLine.h"

namespace korvath {

// No byte of a UTF-8 character of two or more bytes is a blank or a quote
// (they are all 0x80 and up), so the bytes can be taken one by one.
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
