#include "Histories.h"

#include "Texts.h"

namespace korvath {

void RecordCurrentFolder(FolderHistory& history, const std::string& folder,
                         std::size_t filesListed) {
  history[0] = folder;
  if (history[1] == history[0]) return;
  // Only folders that show files are worth offering again.
  if (filesListed == 0) return;
  std::size_t end = kDirHistorySlots - 1;  // slot overwritten by the shift
  for (std::size_t k = 2; k < kDirHistorySlots; ++k) {
    if (history[k] == folder) {
      end = k;
      break;
    }
  }
  for (std::size_t k = end; k > 1; --k) history[k] = history[k - 1];
  history[1] = history[0];
}

bool PushTextHistory(TextHistory& history, const std::string& text) {
  if (text == history[0]) return false;
  for (std::size_t k = kTextHistorySlots - 1; k > 0; --k) history[k] = std::move(history[k - 1]);
  history[0] = text;
  return true;
}

std::vector<std::string> DropDownItems(const TextHistory& history) {
  std::vector<std::string> items;
  for (const std::string& slot : history) {
    if (!slot.empty()) items.push_back(slot);
  }
  return items;
}

std::array<FolderMenuItem, 6> FolderMenuItems(const FolderHistory& history) {
  std::array<FolderMenuItem, 6> items;
  for (std::size_t i = 1; i <= items.size(); ++i) {
    items[i - 1].Visible = !history[i].empty();
    items[i - 1].Caption = FormatText(kTextMenuRecentFolder, {std::to_string(i), history[i]});
  }
  return items;
}

bool FolderSeparatorVisible(const FolderHistory& history) {
  for (std::size_t i = 1; i < kDirHistorySlots; ++i) {
    if (!history[i].empty()) return true;
  }
  return false;
}

}  // namespace korvath
