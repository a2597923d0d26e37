#include "CheckListBox.h"

#include <commctrl.h>

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
      }
      return result;
    }
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
