#pragma once
// The user locale's case-insensitive order of names, as a sorted list control
// would keep it (whole names as text, digits as characters: img10 before
// img2), built with one sort key per name and one stable sort instead of a
// comparison call per pair.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvath {

// Appends the locale's case-insensitive sort key of a name to keys
// (without its closing zero); two names compare as their keys do, byte by
// byte.
void AppendCaseInsensitiveSortKey(std::string_view name, std::string& keys);

// Positions of names in sorted order; equal names keep their input order.
std::vector<std::size_t> CaseInsensitiveOrder(const std::vector<std::string>& names);

// Sorts names in place (stable).
void SortCaseInsensitive(std::vector<std::string>& names);

// Sorts names in place and drops every name equal under the comparison to
// one before it in sorted order (the first one read is kept).
void SortCaseInsensitiveUnique(std::vector<std::string>& names);

// True when a and b are the same file name ignoring letter case (the locale's
// file-name case conversion).
bool SameFileName(std::string_view a, std::string_view b);

// The locale's file-name case conversions, one UTF-16 unit at a time.
std::string UpperCaseFileName(std::string_view text);
std::string LowerCaseFileName(std::string_view text);

}  // namespace korvath
