// The dialogs' private controls, for the tests and benchmarks that drive
// them as a user would.
#pragma once

#include "About.h"
#include "Option.h"

namespace korvath::testsupport {

struct DialogAccess {
  static AboutFormControls& Controls(TAboutForm1& box) { return box; }
  static const AboutFormControls& Controls(const TAboutForm1& box) { return box; }
  static OptionFormControls& Controls(TOptionForm1& dialog) { return dialog; }
  static const OptionFormControls& Controls(const TOptionForm1& dialog) { return dialog; }
};

template <class Dialog>
decltype(auto) ControlsOf(Dialog& dialog) {
  return DialogAccess::Controls(dialog);
}

}  // namespace korvath::testsupport
