#pragma once
// The entries of the file type selector read from a filter string:
// description and mask in turn at each "|".

#include <string>
#include <string_view>
#include <vector>

namespace korvath {

struct FilterEntries {
  std::vector<std::string> Descriptions;  // what the user sees
  std::vector<std::string> Masks;         // parallel to Descriptions
};

// A description needs a "|" behind it to count; the mask runs to the next "|"
// or to the end. So "A|a|B|b" gives two entries, "A|a|B" one, "A||" the entry
// A with an empty mask, "|x" an empty description with the mask x, and a
// closing "|" adds nothing. Texts are UTF-8, whose multi-byte characters hold
// no "|" byte.
FilterEntries ParseFilterEntries(std::string_view filter);

// The patterns of a mask separated by ";", in their order (empty patterns
// included).
std::vector<std::string> SplitMaskPatterns(std::string_view mask);

}  // namespace korvath
