#include "ListRows.h"

namespace korvath {

HWND CreateOwnerDrawnListBox(HWND parent, int id, int left, int top, int width, int height) {
  return CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED |
                             LBS_NODATA | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                         left, top, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

bool BeginListRow(const DRAWITEMSTRUCT& item, std::size_t count) {
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
  if (item.itemID != static_cast<UINT>(-1) && item.itemID < count) return true;
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
  return false;
}

void DrawListRowText(HDC dc, const RECT& textRect, const std::wstring& text, bool selected) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT rect = textRect;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}

void FinishListRow(const DRAWITEMSTRUCT& item, const RECT& mark, const RECT& textRect,
                   const std::wstring& text) {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  if (selected) FillRect(item.hDC, &mark, GetSysColorBrush(COLOR_HIGHLIGHT));
  DrawListRowText(item.hDC, textRect, text, selected);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &mark);
}

}  // namespace korvath
