#pragma once
// The file type selector's filter string: description and mask pairs joined
// by "|", the 19 built-in types first, then one entry per user-defined mask.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ProfileStore.h"
#include "Texts.h"

namespace korvath {

struct FileType {
  TextId Description;
  std::string_view Mask;
};

// Masks exactly as shown to the user: "*dib", "*jpeg", "*jpe" and "*rmi"
// have no dot and match any name ending so.
extern const std::array<FileType, 19> BuiltInFileTypes;

// "ユーザ定義<number> (<mask>)|<mask>" (in English "Custom <number> ..."),
// number counted from 1.
std::string UserFileTypeEntry(std::size_t number, std::string_view mask);

// At start-up, from the Option section: the masks that the options dialog
// lists (LoadUserMasks).
std::string BuildStartupFilter(ProfileStore& store);

// From the options dialog's rows in order. Empty rows stay in the list and
// in the file but give no entry, so an entry "ユーザ定義1 ()" that lists
// nothing never appears, and start-up and OK agree: the entries are
// numbered from 1 over the non-empty masks, with a "|" after "*.avi" only
// when user entries follow.
std::string BuildFilterFromUserMasks(const std::vector<std::string>& masks);

}  // namespace korvath
