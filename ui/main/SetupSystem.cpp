// The main window's system menu entries, its Home key, and the commands that
// reach outside the window: About box, web site, properties sheet.

#include <string>

#include "About.h"
#include "Application.h"
#include "DriveComboBox.h"
#include "Glide.h"
#include "ProgramWindows.h"
#include "RenameSession.h"
#include "Setup.h"
#include "SetupRunDriver.h"
#include "ShellActions.h"
#include "Texts.h"
#include "WideText.h"

namespace korvath {

namespace {
// The About entry's command; the separator above it carries 2.
constexpr UINT kSysCmdAbout = 1;
constexpr UINT kSysCmdSeparator = 2;
}  // namespace

void TSetupForm1::InstallSystemMenu() {
  HMENU menu = GetSystemMenu(Handle(), FALSE);
  if (!menu) return;
  AppendMenuW(menu, MF_SEPARATOR, kSysCmdSeparator, nullptr);
  AppendMenuW(menu, MF_STRING, kSysCmdAbout, Widen(Text(kTextSystemMenuAbout)).c_str());
}

void TSetupForm1::LockSystemMenu(bool locked) {
  HMENU menu = GetSystemMenu(Handle(), FALSE);
  if (menu) EnableMenuItem(menu, kSysCmdAbout, MF_BYCOMMAND | (locked ? MF_GRAYED : MF_ENABLED));
}

// The command value is compared whole: the About entry's 1 would be lost to
// the usual masking of the low four bits.
bool TSetupForm1::WMSysCommand(WPARAM command) {
  if (command == kSysCmdAbout) {
    KAbout1Click();
    return false;  // then the default processing, as for every other entry
  }
  if (command == SC_MINIMIZE) {
    // The application's own window owns the taskbar entry and the main
    // window. Windows hides the owned windows when it minimises their owner;
    // Wine does not, so hide them the way that restoring the owner undoes.
    Application.Minimize();
    ShowOwnedPopups(Application.Handle(), FALSE);
    return true;
  }
  return false;
}

// Runs before the focused control sees the key, which it still receives.
void TSetupForm1::FormKeyDown(WPARAM key) {
  if (key == VK_ESCAPE && run_) run_->AskStopSoon();  // asked once out of the hook
  HWND drive = DriveComboBox1 ? DriveComboBox1->Handle() : nullptr;
  HWND focus = GetFocus();
  if (drive && focus && (focus == drive || IsChild(drive, focus))) return;
  if (key == VK_HOME) CenterWindowAnimated(Handle());
}

// Every entry that opens a window does nothing while a run or an undo
// lasts: its modal loop would hold the run inside the run's own pump, and
// the run would wait, unstoppable, until the window closed.
void TSetupForm1::KAbout1Click() {
  if (run_) return;
  if (TAboutForm1* about = windows_.AboutForm()) about->ShowModal();
}

void TSetupForm1::Web1Click() {
  if (!run_) OpenWebSite(Handle());
}

// The highlighted line, ticked or not; its bare name resolves against the
// current folder, which the browser keeps equal to the folder shown.
void TSetupForm1::KPropertyClick() {
  if (run_) return;
  const int index = HighlightedIndex();
  if (index < 0 || index >= static_cast<int>(Session().Files.size())) return;
  ShowFileProperties(Session().Files[static_cast<size_t>(index)].Name);
}

void TSetupForm1::PopupMenu1Popup() {
  SetMenuItemEnabled(kCmdKProperty2, HighlightedIndex() != -1);
}

}  // namespace korvath
