#pragma once
// Splitting file names and paths. Names are cp932 byte strings, so the
// scans step over whole characters: the 0x5C ending 表 or ソ is no "\".

#include <string_view>

namespace korvath {

// The text from the last "." that no "\" or ":" follows, dot included;
// empty when there is none. ".htaccess" gives ".htaccess", "a.tar.gz"
// gives ".gz", "a." gives ".".
std::string_view ExtractExtension(std::string_view name);

// The text after the last "\" or ":"; the whole text when neither occurs.
std::string_view ExtractNamePart(std::string_view path);

}  // namespace korvath
