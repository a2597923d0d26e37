#include "cp932.h"

namespace korvath {

std::size_t FindLastDelimiter(std::string_view text, std::string_view delimiters) {
  std::size_t found = std::string_view::npos;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    if (CharLength(text, pos) == 1 && delimiters.find(text[pos]) != std::string_view::npos) {
      found = pos;
    }
  }
  return found;
}

std::size_t FindFirstDelimiter(std::string_view text, std::string_view delimiters,
                               std::size_t from) {
  for (std::size_t pos = from; pos < text.size(); pos += CharLength(text, pos)) {
    if (CharLength(text, pos) == 1 && delimiters.find(text[pos]) != std::string_view::npos) {
      return pos;
    }
  }
  return std::string_view::npos;
}

}  // namespace korvath
