#include "FilterEntries.h"

#include "Utf8.h"

namespace korvath {

FilterEntries ParseFilterEntries(std::string_view filter) {
  FilterEntries entries;
  std::string_view rest = filter;
  for (std::size_t bar = FindFirstDelimiter(rest, "|"); bar != std::string_view::npos;
       bar = FindFirstDelimiter(rest, "|")) {
    std::string_view description = rest.substr(0, bar);
    rest.remove_prefix(bar + 1);
    std::string_view mask;
    std::size_t next = FindFirstDelimiter(rest, "|");
    if (next != std::string_view::npos) {
      mask = rest.substr(0, next);
      rest.remove_prefix(next + 1);
    } else {
      mask = rest;
      rest = {};
    }
    entries.Descriptions.emplace_back(description);
    entries.Masks.emplace_back(mask);
  }
  return entries;
}

std::vector<std::string> SplitMaskPatterns(std::string_view mask) {
  std::vector<std::string> patterns;
  if (mask.empty()) return patterns;
  std::size_t start = 0;
  for (;;) {
    std::size_t semicolon = FindFirstDelimiter(mask, ";", start);
    if (semicolon == std::string_view::npos) {
      patterns.emplace_back(mask.substr(start));
      return patterns;
    }
    patterns.emplace_back(mask.substr(start, semicolon - start));
    start = semicolon + 1;
  }
}

}  // namespace korvath
