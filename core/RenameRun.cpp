#include "RenameRun.h"

#include <algorithm>
#include <cstdint>

#include "FileNames.h"
#include "PreviewRows.h"
#include "RenameSession.h"
#include "RenameTexts.h"

namespace korvath {
namespace {

struct PlannedRename {
  std::string OldName;
  std::string NewName;
  int Number;
};

// Every checked entry with the name the preview shows for it, composed once
// from one moment's fields: what is checked is what is renamed.
std::vector<PlannedRename> PlanRenames(const RenameSession& session) {
  std::vector<PlannedRename> plan;
  plan.reserve(session.CheckedCount());
  std::int64_t number = session.StartNumber;
  for (const FileEntry& entry : session.Files) {
    if (!entry.Checked) continue;
    const int clamped =
        static_cast<int>(std::min<std::int64_t>(number, RenameSession::MaxStartNumber));
    plan.push_back(
        {entry.Name, session.ComposeNewName(clamped, ExtractExtension(entry.Name)), clamped});
    ++number;
  }
  return plan;
}

}  // namespace

RenameRunResult RunRename(RenameSession& session, PreviewRows& preview, FileSystem& fileSystem,
                          RenameObserver& observer) {
  RenameRunResult result;
  const std::vector<PlannedRename> plan = PlanRenames(session);

  NewNameCheck check;
  for (const PlannedRename& rename : plan) CheckNewName(rename.NewName, check);
  if (check.LeavesFolder) {
    result.Refused = true;
    observer.Warn(LeavesFolderText, CollisionCaption);
    return result;
  }
  if (!check.BadCharacters.empty()) {
    result.Refused = true;
    observer.Warn(BadCharactersText(check.BadCharacters), CollisionCaption);
    return result;
  }

  if (!observer.Ask(ConfirmRenameText, ConfirmRenameCaption)) return result;
  result.Confirmed = true;

  std::vector<RenameFailure> failures;
  for (const PlannedRename& rename : plan) {
    ++result.Visited;
    bool renamed = false;
    if (fileSystem.Exists(rename.NewName)) {
      // Taken: the file keeps its name; the number stays used up, so the
      // files after it still get the names the preview showed.
      ++result.Collisions;
      observer.WarnCollision(CollisionText, CollisionCaption, rename.NewName);
    } else if (fileSystem.Rename(std::string(ExtractNamePart(rename.OldName)), rename.NewName)) {
      renamed = true;
      observer.Beep();
    } else {
      ++result.Failures;
      if (failures.size() < ReportedFailureLimit) {
        failures.push_back({rename.OldName, rename.NewName, fileSystem.LastFailureReason()});
      }
    }
    // One past the number just given or skipped, within the limits.
    session.StartNumber = rename.Number;
    session.AdvanceStartNumber();
    observer.ShowStartNumber(session.StartNumberText());
    if (renamed) {
      ++result.CompletedCount;
      observer.ShowCompletedCount(CompletedCountText(result.CompletedCount));
    }
  }
  if (result.Failures > 0) {
    observer.Warn(FailureReportText(result.Failures, failures), CollisionCaption);
  }

  session.ReplaceFiles(observer.RereadFiles());
  session.RefreshPreview(preview);
  preview.SetCompleted();
  return result;
}

}  // namespace korvath
