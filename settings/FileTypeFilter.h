#pragma once
// The file type selector's filter string: description and mask pairs joined
// by "|", the 19 built-in types first, then one entry per user-defined mask.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ProfileStore.h"

namespace korvath {

struct FileType {
  std::string_view Description;
  std::string_view Mask;
};

// Masks exactly as shown to the user: "*dib", "*jpeg", "*jpe" and "*rmi"
// have no dot and match any name ending so.
extern const std::array<FileType, 19> BuiltInFileTypes;

// "ユーザ定義<number> (<mask>)|<mask>", number counted from 1.
std::string UserFileTypeEntry(std::size_t number, std::string_view mask);

// A built filter string and the way it is handed to the selector: piece by
// piece, each hand-over being the whole string so far (first the first entry
// alone with its "|", then after each further entry). Every hand-over is a
// prefix of Text, so only its length is kept.
struct FilterString {
  std::string Text;
  std::vector<std::size_t> HandOverLengths;

  std::vector<std::string> HandOverSequence() const;
};

// At start-up, from the Option section: user entries only when File0 is not
// empty, FileCount + 1 of them (capped like the options dialog's list);
// a FileCount below 0 leaves a "|" after "*.avi" and no user entry.
FilterString BuildStartupFilter(ProfileStore& store);

// After the options dialog's OK, from its rows in order, empty rows
// included; no "|" after "*.avi" when there are no rows.
FilterString BuildFilterFromUserMasks(const std::vector<std::string>& masks);

}  // namespace korvath
