#pragma once
// Base of the control classes a window holds as objects (the browser's
// controls, the check list, the preview grid): the control's handle, and
// the hook where the parent window offers each message it receives about
// its children (WM_COMMAND, WM_DRAWITEM, WM_MEASUREITEM), so that the parent
// hands them on in one loop.

#include <windows.h>

namespace korvath {

class TControl {
 public:
  TControl() = default;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;
  virtual ~TControl() = default;

  HWND Handle() const { return handle_; }

  // A message the parent received about one of its children; true when it
  // concerned this control and was handled, with result set.
  virtual bool HandleParentMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

 protected:
  HWND handle_ = nullptr;
};

}  // namespace korvath
