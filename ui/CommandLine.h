#pragma once
// The program's command line: the paths that "Send To", a shortcut's target
// or a drop on the program's icon hand over, e.g.
//   Korvath.exe "D:\写真\2026"  or  Korvath.exe "D:\a b\1.jpg" "D:\a b\2.jpg"

#include <string>
#include <string_view>
#include <vector>

namespace korvath {

// Splits the arguments (the command line after the program's name) at
// blanks outside double quotes. File names hold no '"', so a quote only
// groups and is dropped, and a backslash is always a backslash: "D:\" is the
// root and "D:\表\" keeps its closing quote. Empty
// arguments are left out.
std::vector<std::string> CommandLinePaths(std::string_view arguments);

}  // namespace korvath
