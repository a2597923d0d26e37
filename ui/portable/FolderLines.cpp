#include "FolderLines.h"

#include "Utf8.h"

namespace korvath {
namespace {

// The folder's components below its root ("DATA", "PHOTOS").
std::vector<std::string> ComponentsBelowRoot(std::string_view folder) {
  std::vector<std::string> components;
  const std::size_t rootLength = FolderRoot(folder).size();
  if (folder.size() <= rootLength) return components;
  std::string_view rest = folder.substr(rootLength);
  std::size_t start = 0;
  for (;;) {
    std::size_t slash = FindFirstDelimiter(rest, "\\", start);
    std::string_view part =
        rest.substr(start, slash == std::string_view::npos ? rest.npos : slash - start);
    if (!part.empty()) components.emplace_back(part);
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  return components;
}

}  // namespace

std::string FolderRoot(std::string_view folder) {
  if (folder.size() >= 2 && folder[0] == '\\' && folder[1] == '\\') {
    std::size_t serverEnd = FindFirstDelimiter(folder, "\\", 2);
    if (serverEnd == std::string_view::npos) return std::string(folder) + "\\";
    std::size_t shareEnd = FindFirstDelimiter(folder, "\\", serverEnd + 1);
    if (shareEnd == std::string_view::npos) return std::string(folder) + "\\";
    return std::string(folder.substr(0, shareEnd + 1));
  }
  if (folder.size() >= 2 && folder[1] == ':') return std::string(folder.substr(0, 2)) + "\\";
  return "\\";
}

int CountBackslashes(std::string_view text) {
  int count = 0;
  for (std::size_t pos = FindFirstDelimiter(text, "\\"); pos != std::string_view::npos;
       pos = FindFirstDelimiter(text, "\\", pos + 1)) {
    ++count;
  }
  return count;
}

int PathLineGlyphLeft(int index) { return 4 * index + 2; }

int SubfolderGlyphLeft(std::string_view folder) { return 4 * CountBackslashes(folder) + 6; }

std::vector<FolderLine> BuildFolderLines(std::string_view folder,
                                         const std::vector<std::string>& subfolders) {
  std::vector<std::string> components = ComponentsBelowRoot(folder);
  std::vector<FolderLine> lines;
  lines.reserve(components.size() + 1 + subfolders.size());
  lines.push_back({FolderRoot(folder),
                   components.empty() ? FolderGlyph::Current : FolderGlyph::Open,
                   PathLineGlyphLeft(0)});
  for (std::size_t i = 0; i < components.size(); ++i) {
    const int index = static_cast<int>(i) + 1;
    lines.push_back({components[i],
                     i + 1 == components.size() ? FolderGlyph::Current : FolderGlyph::Open,
                     PathLineGlyphLeft(index)});
  }
  const int subfolderLeft = SubfolderGlyphLeft(folder);
  for (const std::string& name : subfolders) {
    lines.push_back({name, FolderGlyph::Closed, subfolderLeft});
  }
  return lines;
}

int ShownFolderLine(std::string_view folder) {
  return static_cast<int>(ComponentsBelowRoot(folder).size());
}

std::string FolderLinePath(std::string_view folder, const std::vector<FolderLine>& lines,
                           int index) {
  const int shown = ShownFolderLine(folder);
  if (index < 0 || index >= static_cast<int>(lines.size())) return std::string(folder);
  if (index == shown) return std::string(folder);
  std::string root = FolderRoot(folder);
  if (index == 0) return root;
  if (index < shown) {
    std::vector<std::string> components = ComponentsBelowRoot(folder);
    std::string path = root;
    for (int i = 0; i < index; ++i) {
      if (i > 0) path += "\\";
      path += components[static_cast<std::size_t>(i)];
    }
    return path;
  }
  std::string path(folder);
  std::size_t last = FindLastDelimiter(path, "\\");
  if (path.empty() || last != path.size() - 1) path += "\\";
  return path + lines[static_cast<std::size_t>(index)].Text;
}

std::string ParentFolderPath(std::string_view folder) {
  // Nothing lies above a root, \\server\share\ included.
  if (folder.size() <= FolderRoot(folder).size()) return "";
  // Start of the last character: the scan stops before it.
  std::size_t lastStart = 0;
  for (std::size_t pos = 0; pos < folder.size(); pos += CharLength(folder, pos)) lastStart = pos;
  std::size_t slash = FindLastDelimiter(folder.substr(0, lastStart), "\\");
  if (slash == std::string_view::npos) return "";
  return std::string(folder.substr(0, slash + 1));
}

}  // namespace korvath
