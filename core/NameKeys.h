#pragma once
// Names as the file system compares and accepts them. Windows compares
// names without regard to letter case, so every set of names here is keyed
// by NameKey; and some names it will not hold at all, whatever the folder.

#include <cstddef>
#include <string>
#include <string_view>

namespace korvath {

// The name with letter case folded as Windows folds it for the cp932
// letters that have case (ASCII, full-width Latin, Greek, Cyrillic) and "/"
// written as "\". Names with equal keys address the same entry.
std::string NameKey(std::string_view name);
void AppendNameKey(std::string& out, std::string_view name);

// Why a new name cannot be given, past what CheckNewName refuses before a
// run: a reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with any
// extension) as a step, a step ending in "." or " " (Windows would trim it
// and the file would end under another name), an empty step, or a full
// path (folder + "\" + name) longer than MAX_PATH allows.
enum class NameFit { Fits, Unusable, TooLong };
NameFit CheckNameFits(std::string_view name, std::size_t folderLength);

// Characters of a cp932 text as UTF-16 counts them (a double-byte
// character is one).
std::size_t CharacterCount(std::string_view text);

// folder + "\" + name; name alone when folder is empty.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace korvath
