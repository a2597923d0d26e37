#pragma once
// The parent's side of an owner-drawn list box or combo box: the rows'
// height (WM_MEASUREITEM), their painting (WM_DRAWITEM) and the one
// notification the control acts on (WM_COMMAND). Every other message, and
// every other notification (focus and the like), stays the parent's.

#include <windows.h>

namespace korvath {

struct OwnerDrawnControl {
  HWND handle;        // null until the control is made: its rows are measured before
  int id;             // the child window's identifier
  UINT type;          // ODT_LISTBOX or ODT_COMBOBOX
  int itemHeight;     // a row's height in pixels
  WORD notification;  // the one notification handled, e.g. LBN_DBLCLK
};

// True when the message concerned the control and was handled, with result
// set: draw(const DRAWITEMSTRUCT&) paints a row, notified() answers the
// notification.
template <class Draw, class Notified>
bool HandleOwnerDrawnMessage(const OwnerDrawnControl& control, UINT msg, WPARAM wparam,
                             LPARAM lparam, LRESULT& result, Draw&& draw, Notified&& notified) {
  switch (msg) {
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      if (measure->CtlType != control.type || static_cast<int>(measure->CtlID) != control.id) {
        return false;
      }
      measure->itemHeight = static_cast<UINT>(control.itemHeight);
      result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (!control.handle || item->hwndItem != control.handle) return false;
      draw(*item);
      result = TRUE;
      return true;
    }
    case WM_COMMAND:
      if (!control.handle || reinterpret_cast<HWND>(lparam) != control.handle ||
          HIWORD(wparam) != control.notification) {
        return false;
      }
      result = 0;
      notified();
      return true;
    default:
      return false;
  }
}

}  // namespace korvath
