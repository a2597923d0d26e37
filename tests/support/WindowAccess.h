// The main window's private controls and handlers, for the window tests and
// benchmarks that drive the window as a user would.
#pragma once

#include "Setup.h"

namespace korvath::testsupport {

struct WindowAccess {
  static SetupFormControls& Controls(TSetupForm1& form) { return form; }
  static HWND ControlByName(const TSetupForm1& form, const char* name) {
    return form.ControlByName(name);
  }
  static void PopupMenu1Popup(TSetupForm1& form) { form.PopupMenu1Popup(); }
};

}  // namespace korvath::testsupport
