// Start-up: a rename run (or an undo) cut off last time, by a crash or a
// power loss, is rolled back from its journal before the first folder is
// shown, and the user is told what was done.

#include <string>

#include "MessageBox.h"
#include "RenameTexts.h"
#include "RenameUndo.h"
#include "Setup.h"

namespace korvath {

void TSetupForm1::RecoverInterruptedRename() {
  const std::string told = RecoverInterrupted(*fileSystem_, JournalPathsBeside(SettingsPath));
  if (!told.empty()) {
    ShowMessage(Handle(), told, std::string(ConfirmRenameCaption), MB_OK | MB_ICONINFORMATION);
  }
}

}  // namespace korvath
