#include "FileNames.h"

#include "cp932.h"

namespace korvath {

std::string_view ExtractExtension(std::string_view name) {
  const std::size_t pos = FindLastDelimiter(name, ".\\:");
  if (pos == std::string_view::npos || name[pos] != '.') return {};
  return name.substr(pos);
}

std::string_view ExtractNamePart(std::string_view path) {
  const std::size_t pos = FindLastDelimiter(path, "\\:");
  if (pos == std::string_view::npos) return path;
  return path.substr(pos + 1);
}

}  // namespace korvath
