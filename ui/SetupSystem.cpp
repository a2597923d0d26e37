// The main window's system menu entries, its Home key, and the commands that
// reach outside the window: About box, web site, properties sheet.
//
// For now these do nothing and system commands take their default course.

#include "Setup.h"

namespace korvath {

void TSetupForm1::InstallSystemMenu() {}

bool TSetupForm1::WMSysCommand(WPARAM) { return false; }

void TSetupForm1::FormKeyDown(WPARAM) {}

void TSetupForm1::KAbout1Click() {}

void TSetupForm1::Web1Click() {}

void TSetupForm1::KPropertyClick() {}

void TSetupForm1::PopupMenu1Popup() {}

}  // namespace korvath
