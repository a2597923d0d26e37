// The main window's browser and check list: the folder or drive picked, the
// check list refilled from the file list, its commands, and the highlighted
// file's information in the status bar.

#include <string>
#include <vector>

#include "CheckListBox.h"
#include "DirectoryListBox.h"
#include "FileInfo.h"
#include "FileListBox.h"
#include "RenameSession.h"
#include "Setup.h"
#include "Texts.h"

namespace korvath {

void TSetupForm1::RefillCheckList() {
  // Start-up and the options dialog raise the change event several times in
  // a row on one reading: the names are copied once, the marks cleared each time.
  const std::vector<std::string>& names = FileListBox1->Items();
  if (FileListBox1->Reading() == refilledReading_ && session_->Files.size() == names.size()) {
    for (FileEntry& entry : session_->Files) entry.Checked = false;
  } else {
    session_->ReplaceFiles(names);
    refilledReading_ = FileListBox1->Reading();
    if (handOrder_) {  // a new reading: the names stand in the chosen order again
      handOrder_ = false;
      ShowSortOrderChecks();
    }
  }
  CheckListBox1->Reload();
}

void TSetupForm1::ClearFileInformation() {
  SetStatusText(kPanelName, "");
  SetStatusText(kPanelSize, "");
  SetStatusText(kPanelTime, "");
}

void TSetupForm1::DirectoryListBox1Change() {
  RefillCheckList();
  RecordCurrentFolder();
  RefreshPreview();
  ClearFileInformation();
  ShowFileCount();
}

void TSetupForm1::DriveComboBox1Change() {
  RefillCheckList();
  // The marks are gone: the preview and Execute must not keep the old ones,
  // also when the folder stayed (a drive that could not be entered, then the
  // old drive picked again).
  RefreshPreview();
  ClearFileInformation();
  ShowFileCount();
}

void TSetupForm1::SpeedButton13Click() {
  DirectoryListBox1->ShowParentFolder();
  ShowFileCount();
}

// ---------------------------------------------------------------------------
// Check list commands and file information

// In the shooting-date order the time stamp says which date placed the
// file: when it was taken, or (having none) when it was last written.
std::string TSetupForm1::TimeStampText(const std::string& name, const FileInfo& info) const {
  if (SortOrder() != FileOrder::ShootingDate) return info.TimeText.value_or("");
  if (const std::optional<std::uint64_t> taken = FileListBox1->CaptureDateOf(name)) {
    if (std::optional<std::string> text = LocalTimeText(*taken)) {
      return FormatText(kTextTakenAt, {*text});
    }
  }
  return info.TimeText ? FormatText(kTextModifiedAt, {*info.TimeText}) : std::string();
}

void TSetupForm1::CheckListBox1Click() {
  int index = HighlightedIndex();
  if (index >= 0 && static_cast<size_t>(index) < session_->Files.size()) {
    FileInfo info = ReadFileInfo(session_->Files[index].Name);
    // All three panels describe this file: what cannot be read is shown
    // empty, never another file's size or time.
    SetStatusText(kPanelName, info.Name);
    SetStatusText(kPanelSize, info.SizeText.value_or(""));
    SetStatusText(kPanelTime, TimeStampText(session_->Files[index].Name, info));
    ShowFileCount();
  }
  RefreshPreview();
}

void TSetupForm1::SpeedButton14Click() {
  SetFocus(CheckListBox1->Handle());
  for (FileEntry& entry : session_->Files) entry.Checked = true;
  CheckListBox1->Repaint();
  CheckListBox1Click();
  ShowFileCount();
}

void TSetupForm1::SpeedButton15Click() {
  SetFocus(CheckListBox1->Handle());
  for (FileEntry& entry : session_->Files) entry.Checked = false;
  CheckListBox1->Repaint();
  RefreshPreview();
  ShowFileCount();
}

void TSetupForm1::SelectAll1Click() { SpeedButton14Click(); }

void TSetupForm1::Not1Click() { SpeedButton15Click(); }

void TSetupForm1::Change1Click() {
  SetFocus(CheckListBox1->Handle());
  for (FileEntry& entry : session_->Files) entry.Checked = !entry.Checked;
  CheckListBox1->Repaint();
  CheckListBox1Click();
  ShowFileCount();
}

void TSetupForm1::KRenew1Click() {
  int index = HighlightedIndex();
  FileListBox1->ListFolderFiles();
  RefillCheckList();
  if (index >= 0 && index < CheckListBox1->Count()) CheckListBox1->SetItemIndex(index);
  RefreshPreview();
  ShowFileCount();
}

}  // namespace korvath
