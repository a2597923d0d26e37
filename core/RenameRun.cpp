#include "RenameRun.h"

#include "FileNames.h"
#include "PreviewRows.h"
#include "RenameSession.h"
#include "RenameTexts.h"

namespace korvath {

RenameRunResult RunRename(RenameSession& session, PreviewRows& preview, FileSystem& fileSystem,
                          RenameObserver& observer) {
  RenameRunResult result;
  if (!observer.Ask(ConfirmRenameText, ConfirmRenameCaption)) return result;
  result.Confirmed = true;

  // The positions are counted once: the list keeps its old names until the
  // run is over, and every entry is visited exactly once.
  const std::size_t count = session.Files.size();
  for (std::size_t i = 0; i < count; ++i) {
    // Message boxes run their own loops; should anything shrink the list
    // meanwhile, the run stops short of the vanished positions instead of
    // reading past the end.
    if (i >= session.Files.size()) break;
    if (!session.Files[i].Checked) continue;
    const std::string oldName = session.Files[i].Name;
    ++result.Visited;

    const std::string newName =
        session.ComposeNewName(session.StartNumber, ExtractExtension(oldName));
    if (fileSystem.Exists(newName)) {
      // Taken: the file keeps its name and does not use up a number.
      ++result.Collisions;
      observer.WarnCollision(CollisionText, CollisionCaption, newName);
      continue;
    }
    if (!fileSystem.Rename(std::string(ExtractNamePart(oldName)), newName)) {
      // Refused by the system (bad name, in use, gone): skipped silently.
      ++result.Failures;
      continue;
    }
    observer.Beep();
    session.AdvanceStartNumber();
    observer.ShowStartNumber(session.StartNumberText());
    ++result.CompletedCount;
    observer.ShowCompletedCount(CompletedCountText(result.CompletedCount));
  }

  session.ReplaceFiles(observer.RereadFiles());
  session.RefreshPreview(preview);
  preview.SetCompleted();
  return result;
}

}  // namespace korvath
