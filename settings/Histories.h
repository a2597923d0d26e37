#pragma once
// The recent-entry histories: the folders (slot 0 the folder shown, slots 1
// to 6 the recent ones, most recent first) and the prefixes and suffixes
// (33 slots each, most recent first). An empty string is an empty slot.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace korvath {

inline constexpr std::size_t kDirHistorySlots = 7;
inline constexpr std::size_t kTextHistorySlots = 33;

using FolderHistory = std::array<std::string, kDirHistorySlots>;
using TextHistory = std::array<std::string, kTextHistorySlots>;

// Slot 0 follows the folder; a folder that lists at least one file moves to
// the front of slots 1 to 6 (no duplicates; the oldest drops out).
void RecordCurrentFolder(FolderHistory& history, const std::string& folder,
                         std::size_t filesListed);

// Pushes text into slot 0 unless it already stands there; returns whether
// the history changed (the caller then refills the drop-down list and
// rebuilds the preview). Older copies are kept and empty texts are stored.
bool PushTextHistory(TextHistory& history, const std::string& text);
inline bool PushPrefixHistory(TextHistory& history, const std::string& text) {
  return PushTextHistory(history, text);
}
inline bool PushSuffixHistory(TextHistory& history, const std::string& text) {
  return PushTextHistory(history, text);
}

// The drop-down list of a prefix or suffix field: the non-empty slots in
// slot order.
std::vector<std::string> DropDownItems(const TextHistory& history);

// The File menu's six recent-folder items: item i (1 to 6) shows slot i.
struct FolderMenuItem {
  bool Visible = false;
  std::string Caption;  // the access key i and the folder ("(&i)" before it in Japanese)
};
std::array<FolderMenuItem, 6> FolderMenuItems(const FolderHistory& history);
// The separator above them shows when at least one item does.
bool FolderSeparatorVisible(const FolderHistory& history);

}  // namespace korvath
