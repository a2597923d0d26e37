#include "CheckListBox.h"

#include <commctrl.h>

#include <cstdlib>

#include "Application.h"

#include "Handles.h"
#include "ListRows.h"
#include "WideText.h"

namespace korvath {

TCheckListBox::~TCheckListBox() {
  if (handle_ && IsWindow(handle_)) RemoveWindowSubclass(handle_, &SubclassProc, 1);
}

void TCheckListBox::Create(HWND parent, int id, int left, int top, int width, int height,
                           HFONT font, std::vector<FileEntry>& entries) {
  entries_ = &entries;
  font_ = font;
  handle_ = CreateOwnerDrawnListBox(parent, id, left, top, width, height);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(handle_, LB_SETITEMHEIGHT, 0, kItemHeight);
  SetWindowSubclass(handle_, &SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
  Reload();
}

void TCheckListBox::Reload() {
  SendMessageW(handle_, LB_SETCOUNT, entries_->size(), 0);
  SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SendMessageW(handle_, LB_SETTOPINDEX, 0, 0);
  InvalidateRect(handle_, nullptr, TRUE);
}

int TCheckListBox::Count() const {
  return static_cast<int>(SendMessageW(handle_, LB_GETCOUNT, 0, 0));
}

int TCheckListBox::ItemIndex() const {
  LRESULT index = SendMessageW(handle_, LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void TCheckListBox::SetItemIndex(int index) {
  SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TCheckListBox::TopIndex() const {
  return static_cast<int>(SendMessageW(handle_, LB_GETTOPINDEX, 0, 0));
}

void TCheckListBox::SetDpi(Dpi dpi, HFONT font) {
  dpi_ = dpi;
  font_ = font;
  SendMessageW(handle_, LB_SETITEMHEIGHT, 0, ItemHeight());
  InvalidateRect(handle_, nullptr, TRUE);
}

void TCheckListBox::Repaint() {
  InvalidateRect(handle_, nullptr, TRUE);
  UpdateWindow(handle_);
}

void TCheckListBox::Toggle(int index) {
  if (index < 0 || static_cast<size_t>(index) >= entries_->size()) return;
  (*entries_)[index].Checked = !(*entries_)[index].Checked;
  RECT rect;
  if (SendMessageW(handle_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) != LB_ERR) {
    InvalidateRect(handle_, &rect, TRUE);
  }
  // This runs inside the list's own window procedure, which no exception
  // may leave: the handler's error ends here, in the general error report.
  if (OnClickCheck) Application.Guard(OnClickCheck);
}

void TCheckListBox::MoveLine(int from, int to) {
  if (from < 0 || to < 0 || from >= Count() || to >= Count() || from == to || !OnMoveLine) return;
  Application.Guard([&] { OnMoveLine(from, to); });
}

void TCheckListBox::ShowMovedLine(int index) {
  SetItemIndex(index);
  Repaint();
  // The line is the list's child index + 1: its name, mark and "n of N".
  NotifyWinEvent(EVENT_OBJECT_REORDER, handle_, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_SELECTION, handle_, OBJID_CLIENT, index + 1);
  NotifyWinEvent(EVENT_OBJECT_FOCUS, handle_, OBJID_CLIENT, index + 1);
}

// The mark moves to line (-1: none): both rows are drawn again.
void TCheckListBox::MarkDropLine(int line) {
  if (line == dropLine_) return;
  for (const int row : {dropLine_, line}) {
    RECT rect;
    if (row >= 0 &&
        SendMessageW(handle_, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect)) != LB_ERR) {
      InvalidateRect(handle_, &rect, TRUE);
    }
  }
  dropLine_ = line;
  UpdateWindow(handle_);
}

int TCheckListBox::LineAt(int y) const {
  const int count = Count();
  if (count == 0) return -1;
  const int line = TopIndex() + (y < 0 ? -1 : y / ItemHeight());
  return line < 0 ? 0 : line >= count ? count - 1 : line;
}

bool TCheckListBox::HandleParentMessage(UINT msg, WPARAM, LPARAM lparam, LRESULT& result) {
  if (msg == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    if (item->hwndItem != handle_) return false;
    Draw(*item);
    result = TRUE;
    return true;
  }
  if (msg == WM_COMMAND) {
    // The parent matches WM_COMMAND by window itself; LBN_SELCHANGE only.
    return false;
  }
  return false;
}

void TCheckListBox::Draw(const DRAWITEMSTRUCT& item) const {
  if (!BeginListRow(item, entries_->size())) return;
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  const FileEntry& entry = (*entries_)[item.itemID];
  int height = rect.bottom - rect.top;
  const int boxSize = dpi_.Scale(13);
  RECT box{rect.left + dpi_.Scale(2), rect.top + (height - boxSize) / 2,
           rect.left + dpi_.Scale(2) + boxSize, rect.top + (height - boxSize) / 2 + boxSize};
  DrawFrameControl(dc, &box, DFC_BUTTON,
                   DFCS_BUTTONCHECK | DFCS_FLAT | (entry.Checked ? DFCS_CHECKED : 0));
  RECT text = rect;
  text.left += dpi_.Scale(kBoxAreaWidth + 2);
  RECT inner = text;
  inner.left += dpi_.Scale(2);
  SelectGuard font(dc, font_);
  FinishListRow(item, text, inner, Widen(entry.Name));
  // A dragged line goes in above the line marked when it comes from below,
  // below it when it comes from above: a bar at that edge.
  if (dragging_ && static_cast<int>(item.itemID) == dropLine_ && dropLine_ != dragFrom_) {
    const int thick = dpi_.Scale(2);
    RECT bar = rect;
    if (dropLine_ < dragFrom_) {
      bar.bottom = bar.top + thick;
    } else {
      bar.top = bar.bottom - thick;
    }
    FillRect(dc, &bar, GetSysColorBrush(COLOR_WINDOWTEXT));
  }
}

LRESULT CALLBACK TCheckListBox::SubclassProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam,
                                             UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TCheckListBox*>(data);
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      LRESULT result = DefSubclassProc(window, msg, wparam, lparam);
      int x = static_cast<short>(LOWORD(lparam));
      int y = static_cast<short>(HIWORD(lparam));
      if (x >= 0 && x < self->dpi_.Scale(kBoxAreaWidth) && y >= 0) {
        int index = self->TopIndex() + y / self->ItemHeight();
        if (index < self->Count()) self->Toggle(index);
      } else if (msg == WM_LBUTTONDOWN) {
        self->dragFrom_ = self->ItemIndex();
        self->dragStart_ = {x, y};
        self->dragging_ = false;
      }
      return result;
    }
    case WM_MOUSEMOVE:
      if (self->dragFrom_ >= 0 && (wparam & MK_LBUTTON)) {
        const int y = static_cast<short>(HIWORD(lparam));
        if (!self->dragging_ && std::abs(y - self->dragStart_.y) < GetSystemMetrics(SM_CYDRAG)) {
          break;
        }
        // The list's own tracking would move the highlight along.
        self->dragging_ = true;
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_SIZENS)));
        self->MarkDropLine(self->LineAt(y));
        return 0;
      }
      break;
    case WM_LBUTTONUP: {
      const int from = self->dragFrom_;
      const bool dragged = self->dragging_;
      self->MarkDropLine(-1);
      self->dragFrom_ = -1;
      self->dragging_ = false;
      LRESULT result = DefSubclassProc(window, msg, wparam, lparam);
      if (dragged) self->MoveLine(from, self->LineAt(static_cast<short>(HIWORD(lparam))));
      return result;
    }
    case WM_CAPTURECHANGED:
      // The drag ends without a drop (another window took the mouse).
      if (self->dragging_) {
        self->MarkDropLine(-1);
        self->dragging_ = false;
        self->dragFrom_ = -1;
      }
      break;
    case WM_SYSKEYDOWN:
      if ((wparam == VK_UP || wparam == VK_DOWN) && self->ItemIndex() >= 0) {
        const int from = self->ItemIndex();
        self->MoveLine(from, wparam == VK_UP ? from - 1 : from + 1);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wparam == ' ') {
        self->Toggle(self->ItemIndex());
        return 0;
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(window, msg, wparam, lparam);
}

}  // namespace korvath
