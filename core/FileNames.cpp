#include "FileNames.h"

#include "cp932.h"

namespace korvath {
namespace {

// Position of the last single-byte ".", "\" or ":" (with dot only when
// wanted), stepping over double-byte characters. Written out rather than
// through FindLastDelimiter because the preview runs it once per row.
std::size_t LastSeparator(std::string_view text, bool dot) {
  std::size_t found = std::string_view::npos;
  const std::size_t size = text.size();
  for (std::size_t pos = 0; pos < size;) {
    const unsigned char c = static_cast<unsigned char>(text[pos]);
    if (IsLeadByte(c) && pos + 1 < size) {
      pos += 2;
      continue;
    }
    if (c == '\\' || c == ':' || (dot && c == '.')) found = pos;
    ++pos;
  }
  return found;
}

}  // namespace

std::string_view ExtractExtension(std::string_view name) {
  const std::size_t pos = LastSeparator(name, true);
  if (pos == std::string_view::npos || name[pos] != '.') return {};
  return name.substr(pos);
}

std::string_view ExtractNamePart(std::string_view path) {
  const std::size_t pos = LastSeparator(path, false);
  if (pos == std::string_view::npos) return path;
  return path.substr(pos + 1);
}

}  // namespace korvath
