#pragma once
// FilterComboBox1: the file type selector. Its entries come from a filter
// string of description and mask pairs joined by "|"; the selected entry's
// mask is the hidden file list's mask.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Control.h"
#include "Texts.h"

namespace korvath {

class TFileListBox;

class TFilterComboBox : public TControl {
 public:
  TFilterComboBox() = default;
  ~TFilterComboBox() override;

  // A drop-down list whose closed height is height; builds the entries of the
  // current filter string and selects the first (no change event).
  void Create(HWND parent, int id, int left, int top, int width, int height, HFONT font);
  // Keeps the drop-down list's own height; height is the closed height.
  void SetBounds(int left, int top, int width, int height);
  // Handles its CBN_SELCHANGE (a pick by the user); other notifications are
  // left to the parent.
  bool HandleParentMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
  // DirectoryListBox1Change in the main window: raised at the end of every
  // ApplyFilter that rebuilt the entries, and twice per pick.
  std::function<void()> OnChange;

  void SetFileList(TFileListBox* fileList) { fileList_ = fileList; }

  // Replaces the filter string (nothing when equal ignoring case as file
  // names), rebuilds the entries, selects the first, sets the file list's
  // mask and raises the change event.
  void ApplyFilter(const std::string& filter);
  // The same, also when the string is unchanged: a newly built filter
  // always leaves the selector on its first entry with the change handled.
  void ReplaceFilter(const std::string& filter);
  const std::string& Filter() const { return filter_; }

  // The selected entry's mask; with no selection the last entry is selected
  // first; with no entries "*.*".
  std::string Mask();

  const std::vector<std::string>& Descriptions() const { return descriptions_; }
  const std::vector<std::string>& Masks() const { return masks_; }
  int ItemIndex() const;
  // Selects entry index as a pick by the user does, with its events.
  void Pick(int index);

 private:
  void RebuildEntries();
  void Picked();

  int id_ = 0;
  TFileListBox* fileList_ = nullptr;
  std::string filter_ = std::string(Text(kTextTypeAllFiles)) + "|*.*";
  std::vector<std::string> descriptions_;
  std::vector<std::string> masks_;
  int itemIndex_ = -1;  // mirrors the control's selection (also before Create)
};

}  // namespace korvath
