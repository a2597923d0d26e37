#pragma once
// Names as the file system compares and accepts them. Windows compares
// names without regard to letter case, so every set of names here is keyed
// by NameKey; and some names it will not hold at all, whatever the folder.

#include <cstddef>
#include <string>
#include <string_view>

namespace korvath {

// The name with letter case folded as Windows file systems fold it (the
// simple upper-case mapping of every character of the BMP; characters past
// it, and texts that only differ in composition, stay apart) and "/" written
// as "\". Names with equal keys address the same entry.
std::string NameKey(std::string_view name);
void AppendNameKey(std::string& out, std::string_view name);

// Why a new name cannot be given, past what CheckNewName refuses before a
// run: a reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with any
// extension) as a step, a step ending in "." or " " (Windows would trim it
// and the file would end under another name), an empty step, a step longer
// than a file system holds, or a full path (folder + "\" + name) longer than
// the wide functions take. folderLength is in UTF-16 units (Utf16Length).
enum class NameFit { Fits, Unusable, TooLong };
NameFit CheckNameFits(std::string_view name, std::size_t folderLength);

// Longest name between two "\" in UTF-16 units.
inline constexpr std::size_t kLongestStep = 255;
// Longest full path in UTF-16 units: 32,767 with the terminating zero, less
// the "\\?\UNC\" that stands for the leading "\\" of a share's path.
inline constexpr std::size_t kLongestPath = 32767 - 1 - 6;

// folder + "\" + name; name alone when folder is empty.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace korvath
