// Input as a user gives it, through the messages the controls get from the
// system.
#pragma once

#include <windows.h>

namespace korvath::testsupport {

// A key pressed and let go, posted to be handled by the loop that runs.
inline void PressKey(HWND target, WPARAM key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

inline void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

// A click on a row of a list whose rows are 16 pixels high.
inline void ClickRow(HWND list, int row) {
  LPARAM point = MAKELPARAM(10, row * 16 + 8);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(list, WM_LBUTTONUP, 0, point);
}

}  // namespace korvath::testsupport
