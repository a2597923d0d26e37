#pragma once
// DriveComboBox1: the drive selector. One entry per present drive ("A:",
// "C: [SYSTEM]", "Z: \\SERVER\SHARE"), each drawn as a glyph of its drive
// type and its text; picking one makes that drive's current folder the
// folder list's shown folder.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Control.h"
#include "Dpi.h"

namespace korvath {

class TDirectoryListBox;

class TDriveComboBox : public TControl {
 public:
  TDriveComboBox() = default;
  ~TDriveComboBox() override;

  // An owner-drawn drop-down list whose closed height is height. Builds the
  // drive list and chooses the drive of the working folder, which
  // raises OnChange when it is already hooked.
  void Create(HWND parent, int id, int left, int top, int width, int height, HFONT font);
  // Keeps the drop-down list's own height; height is the closed height.
  void SetBounds(int left, int top, int width, int height);
  // Handles WM_DRAWITEM, WM_MEASUREITEM and CBN_SELCHANGE of its own id. A
  // pick may throw EInOutError (drive not ready), for the general error report.
  bool HandleParentMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
  // DriveComboBox1Change: raised at the end of every ChooseDrive that chose,
  // and once more after every pick by the user.
  std::function<void()> OnChange;

  // Links both ways: the folder list follows the chosen drive, and its
  // ShowFolder chooses the drive of a folder on another drive.
  void SetDirList(TDirectoryListBox* dirList);

  // Selects a drive (letter, or 0 for none while a network folder is shown)
  // and enters it on the folder list; nothing when it is already chosen.
  void ChooseDrive(char letter);
  // The current drive letter in upper case, 0 for none.
  char Drive() const { return drive_; }

  // Entry texts, in drive letter order.
  std::vector<std::string> Entries() const;
  int ItemIndex() const;
  // The pixel density (and the font at it) the lines are drawn at (96 until set).
  void SetDpi(Dpi dpi, HFONT font);
  // Selects entry index as a pick by the user does, with its events.
  void Pick(int index);

  // Rebuilds the drive list, then chooses the current drive again.
  void BuildList();

 private:
  void Picked();
  void DrawItem(const DRAWITEMSTRUCT& item);

  int id_ = 0;
  HFONT font_ = nullptr;
  Dpi dpi_;
  TDirectoryListBox* dirList_ = nullptr;
  char drive_ = 0;
  struct Entry {
    std::string Text;
    unsigned DriveType;
  };
  std::vector<Entry> entries_;
};

// Entry text for a drive: "A:" for removable drives, else "C: [LABEL]" or,
// for a remote drive, "Z: \\SERVER\SHARE" (the label in brackets when the
// remote name is unknown); "" for a drive that gets no entry.
std::string DriveEntryText(char upperLetter, unsigned driveType, const std::string& label,
                           const std::string& remoteName);

}  // namespace korvath
