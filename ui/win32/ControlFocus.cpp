#include "ControlFocus.h"

namespace korvath {

namespace {
bool CanTakeFocus(HWND window) {
  return window && IsWindowEnabled(window) && IsWindowVisible(window);
}

// As Tab would move: the dialog manager's walk, into containers too.
void GiveFocusToNext(HWND control) {
  HWND next = FocusableOrNext(control);
  if (!next) return;
  SetFocus(next);
  // An edit reached this way shows its whole text selected, as after Tab.
  if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
    SendMessageW(next, EM_SETSEL, 0, -1);
  }
}
}  // namespace

HWND FocusableOrNext(HWND control) {
  if (!control || !IsWindow(control)) return nullptr;
  if (CanTakeFocus(control)) return control;
  HWND root = GetAncestor(control, GA_ROOT);
  if (!root || root == control) return root;
  HWND next = GetNextDlgTabItem(root, control, FALSE);
  return CanTakeFocus(next) && next != control ? next : root;
}

void EnableControl(HWND control, bool enabled) {
  if (!control) return;
  HWND focus = GetFocus();
  const bool held = !enabled && focus && (focus == control || IsChild(control, focus));
  EnableWindow(control, enabled ? TRUE : FALSE);
  if (held) GiveFocusToNext(control);
}

}  // namespace korvath
