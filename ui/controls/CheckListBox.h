#pragma once
// The check list: an owner-drawn list box without data of its own
// (LBS_NODATA) that draws the session's file entries, each line a check box
// and a name. Filling it is one LB_SETCOUNT at any size.

#include <windows.h>

#include <functional>
#include <vector>

#include "Control.h"
#include "Dpi.h"
#include "RenameSession.h"

namespace korvath {

class TCheckListBox : public TControl {
 public:
  // At 96 dots per inch; ItemHeight() gives the line's height at the list's own.
  static constexpr int kItemHeight = 16;
  static constexpr int kBoxAreaWidth = 16;  // a click left of this toggles the mark

  TCheckListBox() = default;
  ~TCheckListBox() override;

  void Create(HWND parent, int id, int left, int top, int width, int height, HFONT font,
              std::vector<FileEntry>& entries);

  // Takes the entries' count again: no line highlighted, first line on top.
  void Reload();
  int Count() const;
  int ItemIndex() const;  // highlighted line, -1 for none
  void SetItemIndex(int index);
  int TopIndex() const;
  // The pixel density (and the font at it) the lines are drawn at (96 until set).
  void SetDpi(Dpi dpi, HFONT font);
  int ItemHeight() const { return dpi_.Scale(kItemHeight); }
  // Redraws the visible lines now (after the marks have changed).
  void Repaint();

  // WM_DRAWITEM and WM_MEASUREITEM for this list, offered by the parent.
  bool HandleParentMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

  std::function<void()> OnClickCheck;  // a mark toggled by a click on its box or the space bar
  // A line moved by hand: Alt+Up / Alt+Down on the highlighted line, or a
  // line dragged onto another. The owner moves the entry, then calls
  // ShowMovedLine.
  std::function<void(int from, int to)> OnMoveLine;
  // Highlights the moved line, shows it, and tells screen readers where it
  // stands now.
  void ShowMovedLine(int index);
  // While a line is dragged, the line it would take if let go (the mark
  // drawn at that line's edge); -1 otherwise.
  int DropLine() const { return dragging_ ? dropLine_ : -1; }

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR id, DWORD_PTR self);
  void Toggle(int index);
  void Draw(const DRAWITEMSTRUCT& item) const;
  void MoveLine(int from, int to);
  int LineAt(int y) const;  // the line under a point (clamped to the lines), -1 without any

  HFONT font_ = nullptr;
  std::vector<FileEntry>* entries_ = nullptr;
  Dpi dpi_;
  int dragFrom_ = -1;  // the line pressed on, until the button is released
  POINT dragStart_{};
  bool dragging_ = false;
  int dropLine_ = -1;  // where the dragged line would go, marked
  void MarkDropLine(int line);
};

}  // namespace korvath
