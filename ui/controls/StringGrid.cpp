#include "StringGrid.h"

#include "Handles.h"
#include "WideText.h"

namespace korvath {

void TStringGrid::Create(HWND parent, int id, int left, int top, int width, int height,
                         HFONT font) {
  font_ = font;
  handle_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED |
                                LBS_NODATA | LBS_NOINTEGRALHEIGHT,
                            left, top, width, height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(handle_, LB_SETITEMHEIGHT, 0, RowHeight());
}

int TStringGrid::RowHeight() const {
  TEXTMETRICW metrics{};
  {
    WindowDC screen;
    SelectGuard select(screen.Get(), font_);
    GetTextMetricsW(screen.Get(), &metrics);
  }
  // A font within the design's height keeps it (the Japanese rows at every
  // density); a taller one gets its own height below the text's one-pixel
  // (scaled) offset from the row's top.
  const int design = dpi_.Scale(kRowHeight);
  const int text = static_cast<int>(metrics.tmHeight);
  return (text <= design ? design : text + dpi_.Scale(1)) + kLineWidth;
}

void TStringGrid::SetRows(std::size_t rowCount, CellSource source) {
  source_ = std::move(source);
  if (rowCount != rowCount_) {
    // Changing the count is the costly part: only when it differs.
    int selected = SelectedRow();
    rowCount_ = rowCount;
    SendMessageW(handle_, LB_SETCOUNT, rowCount_, 0);
    if (selected < 0 || static_cast<std::size_t>(selected) >= rowCount_) selected = 0;
    SendMessageW(handle_, LB_SETCURSEL, rowCount_ ? selected : static_cast<WPARAM>(-1), 0);
  } else if (SelectedRow() < 0 && rowCount_) {
    SendMessageW(handle_, LB_SETCURSEL, 0, 0);
  }
  InvalidateRect(handle_, nullptr, FALSE);
}

std::string_view TStringGrid::Cell(int column, std::size_t row) const {
  if (!source_ || row >= rowCount_ || column < 0 || column > 1) return {};
  return source_(column, row);
}

void TStringGrid::SetDpi(Dpi dpi, HFONT font) {
  dpi_ = dpi;
  font_ = font;
  // The lines between cells stay one pixel, as the system's grid lines do.
  SendMessageW(handle_, LB_SETITEMHEIGHT, 0, RowHeight());
  InvalidateRect(handle_, nullptr, FALSE);
}

void TStringGrid::SetColumnWidths(int column0, int column1) {
  if (column0 == column0_ && column1 == column1_) return;
  column0_ = column0;
  column1_ = column1;
  InvalidateRect(handle_, nullptr, FALSE);
}

int TStringGrid::SelectedRow() const {
  LRESULT index = SendMessageW(handle_, LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

bool TStringGrid::HandleParentMessage(UINT msg, WPARAM, LPARAM lparam, LRESULT& result) {
  if (msg != WM_DRAWITEM) return false;
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
  if (item->hwndItem != handle_) return false;
  Draw(*item);
  result = TRUE;
  return true;
}

void TStringGrid::Draw(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  const RECT& row = item.rcItem;
  FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= rowCount_) return;
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  SelectGuard font(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  int left = row.left;
  const bool marked = marked_ && marked_(item.itemID);
  for (int column = 0; column < 2; ++column) {
    int width = ColumnWidth(column);
    RECT cell{left, row.top, left + width, row.bottom - kLineWidth};
    if (selected) FillRect(dc, &cell, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, selected                    ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                     : marked && column == 1 ? kMarkColor
                                             : GetSysColor(COLOR_WINDOWTEXT));
    const std::wstring text = Widen(source_(column, item.itemID));
    RECT inner{cell.left + dpi_.Scale(2), cell.top + dpi_.Scale(1), cell.right, cell.bottom};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &inner,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    // Lines between cells: right of the cell and below it.
    RECT vertical{cell.right, row.top, cell.right + kLineWidth, row.bottom};
    FillRect(dc, &vertical, GetSysColorBrush(COLOR_BTNFACE));
    RECT horizontal{cell.left, row.bottom - kLineWidth, cell.right + kLineWidth, row.bottom};
    FillRect(dc, &horizontal, GetSysColorBrush(COLOR_BTNFACE));
    left = cell.right + kLineWidth;
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus{row.left, row.top, left - kLineWidth, row.bottom - kLineWidth};
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace korvath
