#include "RenameRun.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "FileNames.h"
#include "HeldJournals.h"
#include "NameConflicts.h"
#include "NameKeys.h"
#include "PreviewRows.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "StagedMoves.h"
#include "TakenNames.h"
#include "Utf8.h"

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

// Steps of a run without a journal file (tests, benchmarks' baseline).
class NoJournal : public JournalWriter {
 public:
  bool Append(std::string_view) override { return true; }
  bool Flush() override { return true; }
};

// A file system without handles: the file is known by its name alone.
class NamedFile : public HeldFile {
 public:
  NamedFile(FileSystem& fileSystem, std::string name)
      : fileSystem_(fileSystem), name_(std::move(name)) {}
  std::string Identity() override { return fileSystem_.FileIdentity(name_); }
  Renamed RenameTo(const std::string& to) override {
    return fileSystem_.Rename(name_, to) ? Renamed::Yes : Renamed::No;
  }

 private:
  FileSystem& fileSystem_;
  std::string name_;
};

// The run's journal, held from before the question to the end of the run.
struct RunJournal {
  std::unique_ptr<HeldJournal> File;
  bool Made = false;  // the file was not there before: gone again unless written

  // Holds the journal; the refusal to show when no run may start: another
  // Korvath holds it, it cannot be written, or a run or an undo cut off
  // waits to be rolled back.
  std::string Open(FileSystem& fileSystem, const RenamePlace& place) {
    if (!place.UndoJournalPath.empty()) {
      OpenedJournal undo = OpenJournal(fileSystem, place.UndoJournalPath, false);
      if (undo.How == FileSystem::JournalHold::Busy) {
        return JournalBusyText(fileSystem, place.UndoJournalPath);
      }
      if (undo.Held()) {
        if (undo.Look == JournalLook::Finished && undo.Kind == JournalUndoKind) {
          undo.File->Remove();  // only its clearing away was lost
        } else if (undo.Look != JournalLook::Empty) {
          return FormatText(kTextJournalWaiting,
                            {undo.Folder.empty() ? place.UndoJournalPath : undo.Folder});
        }
      }
    }
    OpenedJournal run = OpenJournal(fileSystem, place.JournalPath, true);
    if (run.How == FileSystem::JournalHold::Busy) {
      return JournalBusyText(fileSystem, place.JournalPath);
    }
    if (!run.Held()) return FormatText(kTextJournalCannotWrite, {place.JournalPath});
    File = std::move(run.File);
    Made = run.Text.empty();
    switch (run.Look) {
      case JournalLook::Empty:
        return {};
      case JournalLook::Finished:
        if (run.Kind == JournalRunKind) return {};  // the last run's: replaced by this one
        break;
      case JournalLook::Cut:
      case JournalLook::Foreign:
        break;
    }
    // Cut off, or not one this program can read: it may be all that
    // records files left under temporary names.
    return FormatText(kTextJournalWaiting, {run.Folder.empty() ? place.JournalPath : run.Folder});
  }

  // Before the first step: the journal emptied and its header written.
  bool Start(const std::string& folder) {
    started_ = true;
    return File && File->Clear() && File->Append(JournalHeader(JournalRunKind, folder));
  }

  RunJournal() = default;
  RunJournal(const RunJournal&) = delete;
  RunJournal& operator=(const RunJournal&) = delete;
  ~RunJournal() {
    // A question answered No, or nothing to do: a journal made for the run
    // goes again, one already there stays as it was.
    if (File && Made && !started_) File->Remove();
  }
  bool started_ = false;
};

}  // namespace

std::unique_ptr<HeldFile> FileSystem::Hold(const std::string& name) {
  return std::make_unique<NamedFile>(*this, name);
}

RenameRunResult RunRename(RenameSession& session, PreviewRows& preview, FileSystem& fileSystem,
                          RenameObserver& observer) {
  return RunRename(session, preview, fileSystem, observer, RenamePlace{});
}

RenameRunResult RunRename(RenameSession& session, PreviewRows& preview, FileSystem& fileSystem,
                          RenameObserver& observer, const RenamePlace& place) {
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

  // The journal is held from before the question to the end of the run:
  // no other Korvath starts a run or an undo on it meanwhile, nor takes it
  // for one cut off. A journal not finished is never replaced.
  RunJournal held;
  if (!place.JournalPath.empty()) {
    const std::string refusal = held.Open(fileSystem, place);
    if (!refusal.empty()) {
      result.Refused = true;
      observer.Warn(refusal, CollisionCaption);
      return result;
    }
  }

  if (!observer.Ask(ConfirmRenameText, ConfirmRenameCaption)) return result;
  result.Confirmed = true;
  observer.ShowProgress(0, plan.size(), std::string());

  // What cannot be given is settled first, in list order, one warning per
  // taken name; the rest is carried out as one batch.
  const std::size_t rows = plan.size();
  std::vector<std::string> oldKeys(rows), newKeys(rows);
  std::vector<bool> unusable(rows), unchanged(rows);
  std::vector<NameFit> fits(rows);
  const std::size_t folderLength = Utf16Length(place.Folder);
  for (std::size_t r = 0; r < rows; ++r) {
    oldKeys[r] = NameKey(plan[r].OldName);
    newKeys[r] = NameKey(plan[r].NewName);
    fits[r] = CheckNameFits(plan[r].NewName, place.Folder.empty() ? 0 : folderLength);
    unusable[r] = fits[r] != NameFit::Fits;
    unchanged[r] = plan[r].NewName == plan[r].OldName;
  }
  // The folder is read once for the names held: under Wine every lookup of
  // a missing name scans the whole folder. Only a name found there is
  // looked up, since only a file (not a folder) counts as taken. A name
  // that turns up after this is still never replaced: the rename itself
  // refuses it.
  TakenNames taken;
  taken.Reset(&fileSystem, place.Folder);
  const std::vector<NameConflict> conflicts =
      FindConflicts(oldKeys, newKeys, unusable, [&](std::size_t r) {
        return taken.Holds(newKeys[r]) &&
               fileSystem.Exists(JoinPath(place.Folder, plan[r].NewName));
      }, nullptr, &unchanged);
  std::size_t firstUntried = rows;  // rows from here on were not reached

  std::vector<std::string> reasons(rows);  // refused rows, in list order
  bool startShown = false;
  std::vector<Move> moves;
  std::vector<std::size_t> rowOfMove;
  std::vector<MoveResult> outcomes;
  for (std::size_t r = 0; r < firstUntried; ++r) {
    switch (conflicts[r]) {
      case NameConflict::None:
        moves.push_back({std::string(ExtractNamePart(plan[r].OldName)), plan[r].NewName, {}});
        rowOfMove.push_back(r);
        break;
      case NameConflict::Unchanged:
        // Already under the name it is to have: done without a step.
        ++result.CompletedCount;
        observer.ShowCompletedCount(CompletedCountText(result.CompletedCount));
        break;
      case NameConflict::Unusable:
        reasons[r] = fits[r] == NameFit::TooLong ? TooLongNameReason : UnusableNameReason;
        break;
      case NameConflict::Duplicate:
      case NameConflict::Taken:
      case NameConflict::Blocked:
        // Taken: the file keeps its name; the number stays used up, so the
        // files after it still get the names the preview showed.
        ++result.Collisions;
        observer.WarnCollision(CollisionText, CollisionCaption, plan[r].NewName);
        break;
    }
  }

  if (!moves.empty()) {
    NoJournal none;
    JournalWriter* journal = &none;
    if (!place.JournalPath.empty()) {
      journal = held.Start(place.Folder) ? held.File.get() : nullptr;
    }
    if (journal != nullptr) {
      // Files, not steps: those settled before the batch count as done.
      const std::size_t before = rows - moves.size();
      int renamed = 0;  // files the batch moved, for the journal's keeping
      const auto turn = [&](const MoveTurn& at) {
        observer.ShowProgress(before + at.Settled, rows, plan[rowOfMove[at.Move]].OldName);
        return !observer.StopRequested();
      };
      const auto moved = [&](std::size_t m) {
        observer.Beep();
        // One past the number just given, while the run goes on; a stop
        // sets it back to the first row not reached.
        const int next = std::min(plan[rowOfMove[m]].Number, RenameSession::MaxStartNumber - 1) + 1;
        if (next > session.StartNumber) {
          session.StartNumber = next;
          observer.ShowStartNumber(session.StartNumberText());
          startShown = true;
        }
        ++renamed;
        ++result.CompletedCount;
        observer.ShowCompletedCount(CompletedCountText(result.CompletedCount));
      };
      outcomes = ExecuteMoves(fileSystem, place.Folder, moves, *journal, moved, turn);
      // Kept while a file it lists was renamed, for the undo, or is left
      // under a temporary name, for the way home.
      const bool stranded =
          std::any_of(outcomes.begin(), outcomes.end(), [](const MoveResult& outcome) {
            return outcome.Result == MoveResult::Outcome::Stranded;
          });
      if (renamed > 0 || stranded || journal == &none) {
        journal->Append(JournalEndLine);
        journal->Flush();
      } else {
        held.File->Remove();  // nothing to undo
      }
    } else {
      outcomes.assign(
          moves.size(),
          MoveResult{MoveResult::Outcome::Refused, std::string(JournalFailedReason), {}});
    }
    for (std::size_t m = 0; m < moves.size(); ++m) {
      const MoveResult& outcome = outcomes[m];
      if (outcome.Result == MoveResult::Outcome::NotTried) {
        result.Stopped = true;
        firstUntried = std::min(firstUntried, rowOfMove[m]);
      } else if (outcome.Result == MoveResult::Outcome::Refused) {
        reasons[rowOfMove[m]] = outcome.Reason;
      } else if (outcome.Result == MoveResult::Outcome::Stranded) {
        reasons[rowOfMove[m]] = StrandedReason(outcome.Reason, outcome.Where);
      }
    }
  }

  // Every number reached is used up, given or skipped. A stop leaves the
  // start number at the first row not reached, however many rows after it
  // were (a chain is carried out from its free end): a second run with the
  // same fields numbers the rest in list order.
  result.Visited = static_cast<int>(firstUntried);
  if (firstUntried > 0 || result.Stopped) {
    const int next = firstUntried < rows
                         ? plan[firstUntried].Number
                         : std::min(plan[rows - 1].Number, RenameSession::MaxStartNumber - 1) + 1;
    if (next != session.StartNumber || !startShown) {
      session.StartNumber = next;
      observer.ShowStartNumber(session.StartNumberText());
    }
  }
  std::size_t notReached = 0;
  for (const MoveResult& outcome : outcomes) {
    if (outcome.Result == MoveResult::Outcome::NotTried) ++notReached;
  }
  result.NotReached = static_cast<int>(notReached);

  std::vector<RenameFailure> failures;
  for (std::size_t r = 0; r < rows; ++r) {
    if (reasons[r].empty()) continue;
    ++result.Failures;
    if (failures.size() < ReportedFailureLimit) {
      failures.push_back({plan[r].OldName, plan[r].NewName, reasons[r]});
    }
  }
  if (result.Failures > 0 || notReached > 0) {
    std::string report;
    if (notReached > 0) report = FormatText(kTextNotReached, {std::to_string(notReached)});
    if (result.Failures > 0) {
      if (!report.empty()) report += "\n\n";
      report += FailureReportText(result.Failures, failures);
    }
    observer.Warn(report, CollisionCaption);
  }

  // The re-read list is all unchecked: the grid shows only its completion row.
  session.ReplaceFiles(observer.RereadFiles());
  preview.SetCompleted();
  return result;
}

}  // namespace korvath
