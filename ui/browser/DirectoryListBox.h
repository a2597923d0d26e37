#pragma once
// DirectoryListBox1: the folder list. It holds the shown folder (always the
// working folder, WorkingFolder.h, once a change has completed, however
// deep) and shows the root, the way down, the shown folder and its
// subfolders, each line a glyph and a name. Owner-drawn from its own vector
// of lines.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Control.h"
#include "Dpi.h"
#include "FolderLines.h"
#include "FolderSearch.h"

namespace korvath {

class TDriveComboBox;
class TFileListBox;

class TDirectoryListBox : public TControl {
 public:
  TDirectoryListBox() = default;
  ~TDirectoryListBox() override;

  // Takes the working folder as the shown folder and builds the
  // lines (no change event). Item height 16.
  void Create(HWND parent, int id, int left, int top, int width, int height, HFONT font);
  void SetBounds(int left, int top, int width, int height);
  // Handles WM_DRAWITEM and WM_MEASUREITEM of its own id, and WM_COMMAND
  // LBN_DBLCLK (a double-click, or Enter in the list) by opening the
  // highlighted line. Opening may throw EInOutError, which the parent's
  // window procedure turns into the general error report.
  bool HandleParentMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
  // DirectoryListBox1Change: raised after every completed folder change.
  std::function<void()> OnChange;

  // The file list that follows the shown folder. The drive selector links
  // itself with TDriveComboBox::SetDirList.
  void SetFileList(TFileListBox* fileList) { fileList_ = fileList; }

  // The shown folder: C:\DATA\PHOTOS, C:\ or \\server\share\folder.
  const std::string& Directory() const;

  // Makes path the shown folder: with or without a drive, relative to the
  // shown folder, with or without a closing "\"; a last component holding
  // "*" or "?" or naming a file is dropped. Nothing happens for "" or the
  // shown folder's own text (any other spelling is shown anew). Throws EInOutError when a step
  // cannot be entered; then nothing has changed and the working folder is restored.
  void ShowFolder(const std::string& path);

  // "1つ上へ": ShowFolder with the parent folder; nothing at a root.
  void ShowParentFolder();

  // Called by the drive selector: makes that drive's current folder (the last
  // one shown on it in this run, else its root; the root too when that
  // folder has gone) the shown folder. letter 0: none (a network folder is
  // shown). Throws EInOutError when the drive cannot be entered, leaving the
  // shown folder as it was.
  void EnterDrive(char letter);

  // The shown folder's "*.*" search made at creation, handed over once: the
  // file list, created next, reads its names from it instead of searching
  // the same folder again.
  std::vector<FolderEntry> TakeListing();

  // Opens line index as a double-click does.
  void OpenLine(int index);

  const std::vector<FolderLine>& Lines() const { return lines_; }
  // A line's text as drawn (lower case on volumes that neither preserve nor
  // respect case).
  std::string DisplayText(int index) const;
  int ItemIndex() const;
  // The pixel density (and the font at it) the lines are drawn at (96 until set).
  void SetDpi(Dpi dpi, HFONT font);
  bool CaseSensitive() const { return caseSensitive_; }

 private:
  friend class TDriveComboBox;
  void EnsureDirectory() const;
  void ReadVolumeFlags();
  void BuildLines();
  void FolderChanged();
  void DrawItem(const DRAWITEMSTRUCT& item);
  static LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                   DWORD_PTR data);

  int id_ = 0;
  HFONT font_ = nullptr;
  Dpi dpi_;
  TFileListBox* fileList_ = nullptr;
  TDriveComboBox* driveCombo_ = nullptr;
  mutable std::string directory_;
  bool caseSensitive_ = false;
  bool casePreserved_ = true;
  bool inSetDir_ = false;  // a ShowFolder is changing the drive
  std::vector<FolderLine> lines_;
  std::vector<FolderEntry> listing_;  // the last "*.*" search of the shown folder
  int shownLine_ = -1;
};

}  // namespace korvath
