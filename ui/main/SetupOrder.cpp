// The order the check list numbers the files in: View > Sort, read from the
// settings file at start-up and written with the rest of it.

#include <string>
#include <unordered_map>
#include <vector>

#include "CheckListBox.h"
#include "FileListBox.h"
#include "RenameSession.h"
#include "SettingsFile.h"
#include "Setup.h"
#include "Win32ProfileStore.h"

namespace korvath {

namespace {
void ShowSortOrderChecks(TSetupForm1& form, FileOrder order) {
  form.SetMenuItemChecked(kCmdKName1, order == FileOrder::Name);
  form.SetMenuItemChecked(kCmdKNatural1, order == FileOrder::Natural);
  form.SetMenuItemChecked(kCmdKDate1, order == FileOrder::Date);
}
}  // namespace

// Before the first folder is shown, so that it is read once, in its order.
void TSetupForm1::ReadSortOrder() {
  Win32ProfileStore store(SettingsPath);
  FileOrder order = ReadFileOrder(store);
  FileListBox1->SetOrder(order);
  ShowSortOrderChecks(*this, order);
}

FileOrder TSetupForm1::SortOrder() const {
  return FileListBox1 ? FileListBox1->Order() : FileOrder::Name;
}

// The names are re-sorted, not read again; the checked files stay checked
// and the highlighted file highlighted, at their new places.
void TSetupForm1::KSortClick(FileOrder order) {
  ShowSortOrderChecks(*this, order);
  if (order == SortOrder()) return;
  std::unordered_map<std::string, int> checked;  // a name listed twice may be checked twice
  for (const FileEntry& entry : session_->Files) {
    if (entry.Checked) ++checked[entry.Name];
  }
  const int highlighted = HighlightedIndex();
  const std::string highlightedName =
      highlighted >= 0 && static_cast<std::size_t>(highlighted) < session_->Files.size()
          ? session_->Files[static_cast<std::size_t>(highlighted)].Name
          : std::string();

  FileListBox1->SetOrder(order);
  RefillCheckList();
  int newHighlight = -1;
  for (std::size_t i = 0; i < session_->Files.size(); ++i) {
    FileEntry& entry = session_->Files[i];
    auto found = checked.find(entry.Name);
    if (found != checked.end() && found->second > 0) {
      entry.Checked = true;
      --found->second;
    }
    if (newHighlight < 0 && !highlightedName.empty() && entry.Name == highlightedName) {
      newHighlight = static_cast<int>(i);
    }
  }
  if (newHighlight >= 0) CheckListBox1->SetItemIndex(newHighlight);
  CheckListBox1->Repaint();
  RefreshPreview();
  ShowFileCount();
}

}  // namespace korvath
