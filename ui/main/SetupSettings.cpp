// The main window's settings steps: where the settings file lives, what the
// window reads from it at start-up and writes back at closing and at the
// options dialog's OK, and the recent-entry histories.
//
// Every step opens the file anew through a store of its own: nothing of the
// file is kept between handlers.

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "Application.h"
#include "DriveComboBox.h"
#include "FileTypeFilter.h"
#include "FilterComboBox.h"
#include "FolderSearch.h"
#include "Histories.h"
#include "IoError.h"
#include "Option.h"
#include "ProgramWindows.h"
#include "SettingsFile.h"
#include "Setup.h"
#include "WideText.h"
#include "Win32ProfileStore.h"
#include "WindowDpi.h"

namespace korvath {

namespace {
// Replaces a prefix or suffix field's list with the history's non-empty
// slots. Items are deleted one by one: emptying the list wholesale would
// also empty the field's text, which must stay as typed.
void FillDropDown(HWND combo, const TextHistory& history) {
  for (LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0); count > 0; --count) {
    SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(count - 1), 0);
  }
  for (const std::string& item : DropDownItems(history)) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  }
}

// The window's left and top edges as it would stand restored, also while it
// is minimised or maximised.
WindowPosition CurrentPosition(HWND window) {
  RECT rect{};
  if (IsIconic(window) || IsZoomed(window)) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    rect = placement.rcNormalPosition;
  } else {
    GetWindowRect(window, &rect);
  }
  // Stored as a program unaware of densities saw it, so that earlier
  // versions and this one read the same place from the file.
  const Dpi system = SystemDpi();
  return {system.Unscale(static_cast<int>(rect.left)), system.Unscale(static_cast<int>(rect.top))};
}
}  // namespace

void TSetupForm1::ComputeSettingsPath() { SettingsPath = ComposeSettingsPath(CurrentFolder()); }

void TSetupForm1::ReadWindowPosition() {
  Win32ProfileStore store(SettingsPath);
  WindowPosition position = korvath::ReadWindowPosition(store);
  position = {SystemDpi().Scale(position.Left), SystemDpi().Scale(position.Top)};
  // A position off every screen (a monitor since removed, a hand-edited
  // file) would leave the window where nobody can reach it.
  RECT outer{};
  GetWindowRect(Handle(), &outer);
  const RECT stored{position.Left, position.Top, position.Left + (outer.right - outer.left),
                    position.Top + (outer.bottom - outer.top)};
  if (!OnSomeWorkArea(stored)) position = WindowPosition{};
  SetWindowPos(Handle(), nullptr, position.Left, position.Top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TSetupForm1::ReadFolderHistory() {
  Win32ProfileStore store(SettingsPath);
  DirHistory = korvath::ReadFolderHistory(store);
  if (ShowStartPaths()) return;
  if (FolderExists(DirHistory[0])) {
    // A stored folder that exists but cannot be entered (access denied, a
    // stale folder remembered for its drive) is taken as a missing one:
    // the program must still start.
    try {
      ShowFolder(DirHistory[0]);
      return;
    } catch (const EInOutError&) {
      // ShowFolder has put the folder back; the drive selector follows it.
      const std::string shown = ShownFolder();
      DriveComboBox1->ChooseDrive(shown.size() >= 2 && shown[1] == ':' ? shown[0] : '\0');
    }
  }
  ShowFolder(CurrentFolder());
}

void TSetupForm1::ReadPrefixSuffixHistories() {
  Win32ProfileStore store(SettingsPath);
  PrefixHistory = ReadPrefixHistory(store);
  SuffixHistory = ReadSuffixHistory(store);
  FillDropDown(ComboBox1, PrefixHistory);
  FillDropDown(ComboBox2, SuffixHistory);
}

void TSetupForm1::BuildStartupFilterList() {
  Win32ProfileStore store(SettingsPath);
  // The selector is rebuilt once from the finished string: with a thousand
  // masks, rebuilding it per entry took seconds.
  FilterComboBox1->ReplaceFilter(BuildStartupFilter(store));
}

void TSetupForm1::LoadOptionMasks() {
  TOptionForm1* options = windows_.OptionForm();
  if (!options) return;
  Win32ProfileStore store(SettingsPath);
  options->LoadUserMasks(store);
}

// Writes the whole file; a key that cannot be written ends the save there
// and is reported through the general error report.
bool TSetupForm1::SaveSettings() {
  Win32ProfileStore store(SettingsPath);
  // Without the options dialog its masks are rewritten as the file holds
  // them, never dropped; while it is open, as they were at its opening.
  TOptionForm1* options = windows_.OptionForm();
  std::vector<std::string> masks = options ? options->MasksToSave() : LoadUserMasks(store);
  SaveResult result = SaveWholeSettings(store, {CurrentPosition(Handle()), DirHistory,
                                                PrefixHistory, SuffixHistory, masks, SortOrder()});
  if (!result) {
    Application.ShowException(ESettingsWriteError(SettingsPath));
    return false;
  }
  return true;
}

void TSetupForm1::RecordCurrentFolder() {
  korvath::RecordCurrentFolder(DirHistory, ShownFolder(),
                               static_cast<std::size_t>(std::max(FileListCount(), 0)));
}

void TSetupForm1::ComboBox1Exit() {
  if (!PushPrefixHistory(PrefixHistory, WindowText(ComboBox1))) return;
  FillDropDown(ComboBox1, PrefixHistory);
  RefreshPreview();
}

void TSetupForm1::ComboBox2Exit() {
  if (!PushSuffixHistory(SuffixHistory, WindowText(ComboBox2))) return;
  FillDropDown(ComboBox2, SuffixHistory);
  RefreshPreview();
}

// File menu refresh: Property only with a highlighted line, the recent
// folders with their accelerators, the file count.
void TSetupForm1::KFile1Click() {
  SetMenuItemEnabled(kCmdKProperty1, HighlightedIndex() != -1);
  std::array<FolderMenuItem, 6> items = FolderMenuItems(DirHistory);
  for (std::size_t i = 0; i < items.size(); ++i) {
    UINT command = kCmdN11 + static_cast<UINT>(i);
    SetMenuItemCaption(command, items[i].Caption);
    SetMenuItemVisible(command, items[i].Visible);
  }
  SetMenuItemVisible(kCmdN1, FolderSeparatorVisible(DirHistory));
  ShowFileCount();
}

// The folder list shows the chosen folder; its change chain records it.
void TSetupForm1::N11Click(int item) {
  if (item < 1 || item > 6) return;
  const std::string& folder = DirHistory[static_cast<std::size_t>(item)];
  if (folder.empty()) return;
  ShowFolder(folder);
}

void TSetupForm1::Option1Click() {
  if (run_) return;  // as every entry that opens a window (KAbout1Click)
  TOptionForm1* options = windows_.OptionForm();
  if (!options) return;
  RECT outer{};
  GetWindowRect(Handle(), &outer);
  options->SetMaxHeight(outer.bottom - outer.top);
  LoadOptionMasks();
  options->ModalOwner = Handle();
  options->SaveSettings = [this] { return SaveSettings(); };
  options->RebuildFilter = [this](const std::vector<std::string>& rows) {
    FilterComboBox1->ReplaceFilter(BuildFilterFromUserMasks(rows));
  };
  options->ShowModal();
}

}  // namespace korvath
