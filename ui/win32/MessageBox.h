#pragma once
// Every message box of the program goes through ShowMessage, so that tests
// can answer the boxes without a user.

#include <windows.h>

#include <functional>
#include <string>

namespace korvath {

// Shows a modal message box owned by owner and returns the button pressed
// (IDOK, IDYES, IDNO, ...).
int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// A test answers the boxes itself while a handler is installed; it receives
// the same arguments and returns the button. An empty function restores the
// real boxes.
using MessageBoxHandler =
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT flags)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace korvath
