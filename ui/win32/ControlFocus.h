#pragma once
// Enabling and disabling controls without leaving the keyboard stranded: a
// disabled window cannot hold the focus, and the system gives it to nobody,
// so that Tab does nothing until the mouse picks a control.

#include <windows.h>

namespace korvath {

// Enables or disables a control. When it, or a window inside it (the edit
// part of a drop-down), holds the focus as it is disabled, the focus moves
// on to the next control in Tab order.
void EnableControl(HWND control, bool enabled);

// The control itself when it can take the focus (enabled and visible),
// otherwise the next control in Tab order after it; the top-level window
// when no control can.
HWND FocusableOrNext(HWND control);

}  // namespace korvath
