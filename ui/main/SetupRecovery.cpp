// Start-up: a rename run (or an undo) cut off last time, by a crash or a
// power loss, is rolled back from its journal before the first folder is
// shown, once the user has agreed; a journal the run could not have
// written is put aside unused, and the user is told.

#include <string>

#include "MessageBox.h"
#include "RenameTexts.h"
#include "RenameUndo.h"
#include "Setup.h"

namespace korvath {

bool TSetupForm1::RecoverInterruptedRename() {
  const Recovery recovery = RecoverInterrupted(
      *fileSystem_, JournalPathsBeside(SettingsPath), [&](const std::string& question) {
        return ShowMessage(Handle(), question, std::string(ConfirmRenameCaption),
                           MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON1) == IDYES;
      });
  // The File menu's Undo need not read the journal again.
  if (recovery.LastRunKnown) {
    undoAvailability_.Know(*fileSystem_, JournalPathsBeside(SettingsPath), recovery.LastRun);
  }
  for (const auto& [journal, aside] : recovery.SetAside) {
    ShowMessage(Handle(), JournalSetAsideText(journal, aside), std::string(CollisionCaption),
                MB_OK | MB_ICONERROR);
  }
  if (!recovery.Told.empty()) {
    ShowMessage(Handle(), recovery.Told,
                std::string(recovery.Busy ? CollisionCaption : ConfirmRenameCaption),
                MB_OK | (recovery.Busy ? MB_ICONERROR : MB_ICONINFORMATION));
  }
  return !recovery.Busy;
}

}  // namespace korvath
