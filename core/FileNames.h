#pragma once
// Splitting file names and paths. Names are UTF-8, whose multi-byte
// characters hold no ASCII byte, so the scans look for "\", ":" and "."
// byte by byte.

#include <string>
#include <string_view>

namespace korvath {

// The text from the last "." that no "\" or ":" follows, dot included;
// empty when there is none. ".htaccess" gives ".htaccess", "a.tar.gz"
// gives ".gz", "a." gives ".".
std::string_view ExtractExtension(std::string_view name);

// The text after the last "\" or ":"; the whole text when neither occurs.
std::string_view ExtractNamePart(std::string_view path);

// What is wrong with new names, gathered over a whole run so that the user
// is told once.
struct NewNameCheck {
  // A name that would leave the shown folder: a drive ("C:"), a root ("\",
  // "\\server"), or a ".." step. Subfolders ("sub\") stay inside.
  bool LeavesFolder = false;
  // Characters no file name can hold, each once, in the order first met;
  // control characters are gathered as one "制御文字".
  std::string BadCharacters;
  bool Ok() const { return !LeavesFolder && BadCharacters.empty(); }
};

// Checks one new name, relative to the shown folder, and adds what it
// finds to check. "\" and "/" separate subfolders and are not refused.
void CheckNewName(std::string_view name, NewNameCheck& check);

}  // namespace korvath
