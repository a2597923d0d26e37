// The order the check list numbers the files in: View > Sort, read from the
// settings file at start-up and written with the rest of it; the shooting
// dates read off the window thread; and the order set by hand, which no
// file keeps.

#include <windows.h>

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "CheckListBox.h"
#include "FileListBox.h"
#include "RenameSession.h"
#include "SettingsFile.h"
#include "Setup.h"
#include "Texts.h"
#include "Win32ProfileStore.h"

namespace korvath {

void TSetupForm1::ShowSortOrderChecks() {
  const FileOrder order = SortOrder();
  SetMenuItemChecked(kCmdKName1, !handOrder_ && order == FileOrder::Name);
  SetMenuItemChecked(kCmdKNatural1, !handOrder_ && order == FileOrder::Natural);
  SetMenuItemChecked(kCmdKDate1, !handOrder_ && order == FileOrder::Date);
  SetMenuItemChecked(kCmdKShoot1, !handOrder_ && order == FileOrder::ShootingDate);
  SetMenuItemVisible(kCmdKHand1, handOrder_);
  SetMenuItemChecked(kCmdKHand1, handOrder_);
  // The status bar's time panel is as wide as the order's dates need.
  FormResize();
}

// Before the first folder is shown, so that it is read once, in its order.
void TSetupForm1::ReadSortOrder() {
  Win32ProfileStore store(SettingsPath);
  FileListBox1->OnDatesProgress = [this] { ShowDateProgress(); };
  FileListBox1->OnDatesRead = [this] { FileListBox1DatesRead(); };
  FileListBox1->SetOrder(ReadFileOrder(store));
  ShowSortOrderChecks();
}

FileOrder TSetupForm1::SortOrder() const {
  return FileListBox1 ? FileListBox1->Order() : FileOrder::Name;
}

// The names are re-sorted, not read again; the checked files stay checked
// and the highlighted file highlighted, at their new places. Any order
// chosen replaces one set by hand, the same one again too.
void TSetupForm1::KSortClick(FileOrder order) {
  if (order == SortOrder() && !handOrder_) {
    ShowSortOrderChecks();
    return;
  }
  handOrder_ = false;
  if (order == SortOrder()) {
    FileListBox1->Resort();
  } else {
    FileListBox1->SetOrder(order);
  }
  ShowSortOrderChecks();
  ResortCheckList();
}

void TSetupForm1::ResortCheckList() {
  std::unordered_map<std::string, int> checked;  // a name listed twice may be checked twice
  for (const FileEntry& entry : session_->Files) {
    if (entry.Checked) ++checked[entry.Name];
  }
  const int highlighted = HighlightedIndex();
  const std::string highlightedName =
      highlighted >= 0 && static_cast<std::size_t>(highlighted) < session_->Files.size()
          ? session_->Files[static_cast<std::size_t>(highlighted)].Name
          : std::string();

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

void TSetupForm1::FileListBox1DatesRead() { ResortCheckList(); }

void TSetupForm1::ShowDateProgress() {
  SetStatusText(kPanelCount, FormatText(kTextReadingCaptureDates,
                                        {std::to_string(FileListBox1->DatesDone()),
                                         std::to_string(FileListBox1->DatesTotal())}));
}

// The line keeps its mark and stays highlighted at its new place; the
// numbering follows the list as it now stands.
void TSetupForm1::CheckListBox1MoveLine(int from, int to) {
  const int count = static_cast<int>(session_->Files.size());
  if (from < 0 || from >= count || to < 0 || to >= count || from == to) return;
  FileListBox1->MoveItem(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
  auto& files = session_->Files;
  if (from < to) {
    std::rotate(files.begin() + from, files.begin() + from + 1, files.begin() + to + 1);
  } else {
    std::rotate(files.begin() + to, files.begin() + from, files.begin() + from + 1);
  }
  if (!handOrder_) {
    handOrder_ = true;
    ShowSortOrderChecks();
  }
  CheckListBox1->ShowMovedLine(to);
  CheckListBox1Click();
  ShowFileCount();
}

}  // namespace korvath
