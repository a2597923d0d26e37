#pragma once
// The lines of the folder list, worked out from the shown folder and its
// subfolders without any window: root, the way down, the shown folder, then
// the subfolders. Also the glyph offsets and the path each line opens.

#include <string>
#include <string_view>
#include <vector>

namespace korvath {

enum class FolderGlyph { Open, Current, Closed };

struct FolderLine {
  std::string Text;  // as stored; the root line holds "C:\" or "\\server\share\"
  FolderGlyph Glyph;
  int GlyphLeft;  // pixels from the left edge
};

// Root of a full path with its "\": "C:\" or "\\server\share\".
std::string FolderRoot(std::string_view folder);

// The lines for folder; subfolders already sorted and without duplicates.
std::vector<FolderLine> BuildFolderLines(std::string_view folder,
                                         const std::vector<std::string>& subfolders);

// Index of the shown folder's line among lines built for folder.
int ShownFolderLine(std::string_view folder);

// The path that opening line index gives.
std::string FolderLinePath(std::string_view folder, const std::vector<FolderLine>& lines,
                           int index);

// Glyph offsets: line i of the root and the way down at 4 × i + 2; every
// subfolder line at 4 × L + 6, L the number of "\" in the shown folder.
int PathLineGlyphLeft(int index);
int SubfolderGlyphLeft(std::string_view folder);

// Number of "\" characters.
int CountBackslashes(std::string_view text);

// The text that "1つ上へ" shows: folder up to and including the last "\"
// found from its second-to-last character back; "" at a root (C:\,
// \\server\share\).
std::string ParentFolderPath(std::string_view folder);

}  // namespace korvath
