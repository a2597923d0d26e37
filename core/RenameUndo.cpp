#include "RenameUndo.h"

#include <algorithm>
#include <optional>

#include "FileNames.h"
#include "HeldJournals.h"
#include "NameConflicts.h"
#include "NameKeys.h"
#include "StagedMoves.h"
#include "TakenNames.h"

namespace korvath {
namespace {

using JournalHold = FileSystem::JournalHold;

// The run's journal again, with only the steps of the files kept, in their
// order, and for a file the undo left under a temporary name, the step
// there: read back, it gives exactly those files' moves.
bool RewriteJournal(HeldJournal& file, const Journal& journal,
                    const std::vector<JournalFile>& files,
                    const std::vector<std::pair<std::size_t, std::string>>& kept) {
  std::vector<std::size_t> steps;
  for (const auto& [index, where] : kept) {
    steps.insert(steps.end(), files[index].Steps.begin(), files[index].Steps.end());
  }
  std::sort(steps.begin(), steps.end());
  std::string text = JournalHeader(JournalRunKind, journal.Folder);
  for (std::size_t s : steps) {
    const JournalStep step = journal.Step(s);
    text += JournalStepLine(step.From, step.To, step.Identity);
  }
  for (const auto& [index, where] : kept) {
    if (!where.empty()) text += JournalStepLine(files[index].To, where, files[index].Identity);
  }
  text += JournalEndLine;
  return file.Clear() && file.Append(text) && file.Flush();
}

// A journal at start-up, as the recovery sees it.
enum class JournalState {
  Missing,       // no file
  Empty,         // cut off before its header: nothing was done
  Foreign,       // not a journal the run writes, or not of the kind its name says
  Finished,      // ended: a run's is kept for its undo, an undo's is cleared away
  NothingMoved,  // cut off before any file had another name
  Cut,           // cut off with files under other names
};

enum class RecoveryStep {
  Keep,           // left as it is, unread past its header
  Remove,         // deleted: it records nothing to do
  SetAside,       // renamed to AsidePath, unused, and the user told
  AskToRollBack,  // the question, naming the folder; see RollBackAfterYes
};

struct RecoveryRule {
  JournalState State;
  bool Undo;  // the undo's journal (false: the run's)
  RecoveryStep Step;
};

// Every decision of the recovery before the question. After it:
//   No                                  -> kept, asked again at the next start
//   Yes, the folder out of reach        -> kept, the user told, asked again
//   Yes, every file brought back        -> removed
//   Yes, some file not brought back     -> kept (the user told which), tried again
// A journal another Korvath holds is Busy: the recovery touches neither
// journal and says that another Korvath is renaming. A cut-off undo is
// settled first; while it is kept, the run's journal stays for its undo.
constexpr RecoveryRule kRecoveryRules[] = {
    {JournalState::Missing, false, RecoveryStep::Keep},
    {JournalState::Missing, true, RecoveryStep::Keep},
    {JournalState::Empty, false, RecoveryStep::Remove},
    {JournalState::Empty, true, RecoveryStep::Remove},
    {JournalState::Foreign, false, RecoveryStep::SetAside},
    {JournalState::Foreign, true, RecoveryStep::SetAside},
    {JournalState::Finished, false, RecoveryStep::Keep},
    {JournalState::Finished, true, RecoveryStep::Remove},
    {JournalState::NothingMoved, false, RecoveryStep::Remove},
    {JournalState::NothingMoved, true, RecoveryStep::Remove},
    {JournalState::Cut, false, RecoveryStep::AskToRollBack},
    {JournalState::Cut, true, RecoveryStep::AskToRollBack},
};

RecoveryStep DecideRecovery(JournalState state, bool undo) {
  for (const RecoveryRule& rule : kRecoveryRules) {
    if (rule.State == state && rule.Undo == undo) return rule.Step;
  }
  return RecoveryStep::Keep;
}

// The state of an opened journal, parsed into journal; a cut-off one's
// files are counted.
JournalState StateOf(OpenedJournal& opened, std::string_view kind, Journal& journal,
                     std::size_t& files) {
  if (opened.How == JournalHold::Missing) return JournalState::Missing;
  if (!opened.Held()) return JournalState::Foreign;  // there, and unreadable
  switch (opened.Look) {
    case JournalLook::Empty:
      return JournalState::Empty;
    case JournalLook::Foreign:
      return JournalState::Foreign;
    case JournalLook::Finished:
    case JournalLook::Cut:
      break;
  }
  // Read whole, finished or not: a journal is trusted only as far as every
  // line of it is one the run writes.
  if (opened.Kind != kind || !ParseJournal(std::move(opened.Text), journal)) {
    return JournalState::Foreign;
  }
  if (journal.Ended) return JournalState::Finished;
  files = RenamedFileCount(journal);
  return files == 0 ? JournalState::NothingMoved : JournalState::Cut;
}

}  // namespace

JournalPaths JournalPathsBeside(const std::string& settingsPath) {
  const std::string_view name = ExtractNamePart(settingsPath);
  const std::string folder = settingsPath.substr(0, settingsPath.size() - name.size());
  return {folder + "KVTrun.log", folder + "KVTundo.log"};
}

std::string AsidePath(const std::string& journalPath) {
  constexpr std::string_view log = ".log";
  if (journalPath.size() >= log.size() &&
      journalPath.compare(journalPath.size() - log.size(), log.size(), log) == 0) {
    return journalPath.substr(0, journalPath.size() - log.size()) + ".bad";
  }
  return journalPath + ".bad";
}

namespace {
// UndoableRun, and whether another Korvath holds the run's journal.
std::optional<UndoSummary> LastRun(FileSystem& fileSystem, const JournalPaths& paths, bool& busy) {
  busy = false;
  // An undo's journal, left or live, comes first.
  if (fileSystem.EntryExists(paths.Undo)) return std::nullopt;
  OpenedJournal run = OpenJournal(fileSystem, paths.Run, false);
  busy = run.How == JournalHold::Busy;
  if (!run.Held() || run.Look != JournalLook::Finished || run.Kind != JournalRunKind) {
    return std::nullopt;
  }
  run.File.reset();
  Journal journal;
  if (!ParseJournal(std::move(run.Text), journal) || !journal.Ended) return std::nullopt;
  const std::size_t files = RenamedFileCount(journal);
  if (files == 0) return std::nullopt;
  return UndoSummary{journal.Folder, files, journal.LacksIdentities()};
}
}  // namespace

std::optional<UndoSummary> UndoableRun(FileSystem& fileSystem, const JournalPaths& paths) {
  bool busy = false;
  return LastRun(fileSystem, paths, busy);
}

bool CanUndo(FileSystem& fileSystem, const JournalPaths& paths) {
  return UndoableRun(fileSystem, paths).has_value();
}

std::optional<UndoSummary> UndoAvailability::Check(FileSystem& fileSystem,
                                                   const JournalPaths& paths) {
  std::string runStamp = fileSystem.FileStamp(paths.Run);
  std::string undoStamp = fileSystem.FileStamp(paths.Undo);
  if (known_ && runStamp == runStamp_ && undoStamp == undoStamp_) return summary_;
  bool busy = false;
  summary_ = LastRun(fileSystem, paths, busy);
  // A journal another Korvath holds is asked about again next time.
  known_ = !busy;
  runStamp_ = std::move(runStamp);
  undoStamp_ = std::move(undoStamp);
  return summary_;
}

void UndoAvailability::Know(FileSystem& fileSystem, const JournalPaths& paths,
                            std::optional<UndoSummary> summary) {
  runStamp_ = fileSystem.FileStamp(paths.Run);
  undoStamp_ = fileSystem.FileStamp(paths.Undo);
  summary_ = std::move(summary);
  known_ = true;
}

UndoResult UndoLastRun(FileSystem& fileSystem, const JournalPaths& paths,
                       const UndoProgress& progress) {
  UndoResult result;
  // Both journals are held until the undo is over: no other Korvath
  // starts a run or an undo on them, nor takes them for ones cut off.
  const auto busy = [&](const std::string& path) {
    result.Busy = true;
    result.BusyText = JournalBusyText(fileSystem, path);
    return result;
  };
  OpenedJournal run = OpenJournal(fileSystem, paths.Run, false);
  if (run.How == JournalHold::Busy) return busy(paths.Run);
  if (!run.Held() || run.Look != JournalLook::Finished || run.Kind != JournalRunKind) {
    return result;
  }
  OpenedJournal undo = OpenJournal(fileSystem, paths.Undo, true);
  if (undo.How == JournalHold::Busy) return busy(paths.Undo);
  if (undo.Held() && undo.Look != JournalLook::Empty) return result;  // one cut off waits
  Journal journal;
  if (!ParseJournal(std::move(run.Text), journal) || !journal.Ended) {
    if (undo.Held()) undo.File->Remove();
    return result;
  }
  // The folder is looked at once the undo was chosen, not before.
  if (!fileSystem.EntryExists(journal.Folder)) {
    result.FolderMissing = true;
    result.Folder = journal.Folder;
    if (undo.Held()) undo.File->Remove();
    return result;
  }
  result.Done = true;
  result.Folder = journal.Folder;

  // Each file from where the run left it back to where it was, last first,
  // bound to the file the run moved: its step compares the identity on the
  // file it holds.
  const std::vector<JournalFile> files = JournalFiles(journal);
  std::vector<Move> moves;
  std::vector<std::size_t> fileOf;
  moves.reserve(files.size());
  for (std::size_t i = files.size(); i-- > 0;) {
    if (NameKey(files[i].From) == NameKey(files[i].To)) continue;
    moves.push_back({files[i].To, files[i].From, files[i].Identity});
    fileOf.push_back(i);
  }
  const auto show = [&](std::size_t done, std::size_t total, const std::string& name) {
    if (progress.Show) progress.Show(done, total, name);
  };
  const auto stopRequested = [&] { return progress.StopRequested && progress.StopRequested(); };
  show(0, moves.size(), std::string());
  const auto stopBeforeAnyMove = [&] {
    result.Stopped = true;
    result.Kept = static_cast<int>(moves.size());
    if (undo.Held()) undo.File->Remove();
    return result;
  };

  // A file gone, or an old name now held by a file that stays, is skipped;
  // a skipped file keeps its place from whoever would have taken it. The
  // names are those of one listing of the folder (under Wine every lookup
  // of a missing name scans the folder); a stop is honoured here too, before
  // anything has moved.
  TakenNames taken;
  taken.Reset(&fileSystem, journal.Folder);
  std::vector<std::string> oldKeys(moves.size()), newKeys(moves.size()), reasons(moves.size());
  std::vector<bool> missing(moves.size());
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (stopRequested()) return stopBeforeAnyMove();
    oldKeys[i] = NameKey(moves[i].From);
    newKeys[i] = NameKey(moves[i].To);
    show(0, moves.size(), moves[i].From);
    missing[i] = !taken.Holds(oldKeys[i]);
  }
  // A file the run brought back to its own name has nothing to undo.
  std::vector<bool> unchanged(moves.size());
  for (std::size_t i = 0; i < moves.size(); ++i) unchanged[i] = moves[i].From == moves[i].To;
  const std::vector<NameConflict> conflicts = FindConflicts(
      oldKeys, newKeys, missing, [&](std::size_t i) { return taken.Holds(newKeys[i]); }, nullptr,
      &unchanged);
  if (stopRequested()) return stopBeforeAnyMove();
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (PassesThroughLink(fileSystem, journal.Folder, moves[i].From) ||
        PassesThroughLink(fileSystem, journal.Folder, moves[i].To)) {
      reasons[i] = std::string(Text(kTextReasonLinkFolder));
    } else if (conflicts[i] == NameConflict::Unusable) {
      reasons[i] = MissingFileReason;
    } else if (conflicts[i] != NameConflict::None && conflicts[i] != NameConflict::Unchanged) {
      reasons[i] = CollisionReason;
    }
  }
  std::vector<Move> batch;
  std::vector<std::size_t> indexOf;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (!reasons[i].empty() || conflicts[i] == NameConflict::Unchanged) continue;
    batch.push_back(moves[i]);
    indexOf.push_back(i);
  }

  if (undo.Held() && undo.File->Append(JournalHeader(JournalUndoKind, journal.Folder))) {
    HeldJournal& writer = *undo.File;
    // Files, not steps: those skipped before the batch count as done.
    const std::size_t skipped = moves.size() - batch.size();
    const auto turn = [&](const MoveTurn& at) {
      show(skipped + at.Settled, moves.size(), batch[at.Move].From);
      return !stopRequested();
    };
    const std::vector<MoveResult> outcomes = ExecuteMoves(
        fileSystem, journal.Folder, batch, writer, [&](std::size_t) { ++result.Restored; }, turn);
    // Files of the run that may still be undone, in its order, with where
    // a file left under a temporary name is.
    std::vector<std::pair<std::size_t, std::string>> kept;
    for (std::size_t b = 0; b < batch.size(); ++b) {
      const MoveResult& outcome = outcomes[b];
      const std::size_t file = fileOf[indexOf[b]];
      if (outcome.Result == MoveResult::Outcome::NotTried) {
        result.Stopped = true;
        kept.push_back({file, {}});
      } else if (outcome.Result == MoveResult::Outcome::Refused) {
        reasons[indexOf[b]] = outcome.Reason;
        // Another file under the name now is no file of the run's.
        if (outcome.Reason != ChangedFileReason) kept.push_back({file, {}});
      } else if (outcome.Result == MoveResult::Outcome::Stranded) {
        reasons[indexOf[b]] = StrandedReason(outcome.Reason, outcome.Where);
        kept.push_back({file, outcome.Where});
      }
    }
    std::sort(kept.begin(), kept.end());
    result.Kept = static_cast<int>(kept.size());
    // The run's journal is rewritten while the undo's still stands
    // unfinished, so that a stop in between finds the undo to roll back at
    // the next start; should the rewrite fail, it is left so.
    if (kept.empty() || RewriteJournal(*run.File, journal, files, kept)) {
      writer.Append(JournalEndLine);
      writer.Flush();
      if (kept.empty()) run.File->Remove();
      writer.Remove();
    }
  } else {
    for (std::size_t i : indexOf) reasons[i] = JournalFailedReason;
    if (undo.Held()) undo.File->Remove();
  }

  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (reasons[i].empty()) continue;
    ++result.FailureCount;
    if (result.FirstFailures.size() < ReportedFailureLimit) {
      result.FirstFailures.push_back({moves[i].From, moves[i].To, reasons[i]});
    }
  }
  return result;
}

Recovery RecoverInterrupted(FileSystem& fileSystem, const JournalPaths& paths,
                            const std::function<bool(const std::string&)>& ask) {
  Recovery recovery;
  OpenedJournal undoFile = OpenJournal(fileSystem, paths.Undo, false);
  OpenedJournal runFile = OpenJournal(fileSystem, paths.Run, false);
  for (const auto& [opened, path] : {std::pair{&undoFile, &paths.Undo}, {&runFile, &paths.Run}}) {
    if (opened->How != JournalHold::Busy) continue;
    // Another Korvath's run or undo: neither journal is this one's to settle.
    recovery.Busy = true;
    recovery.Told = JournalBusyText(fileSystem, *path);
    return recovery;
  }
  Journal undo, run;
  std::size_t undoFiles = 0, runFiles = 0;
  const JournalState undoState = StateOf(undoFile, JournalUndoKind, undo, undoFiles);
  const JournalState runState = StateOf(runFile, JournalRunKind, run, runFiles);

  std::vector<std::string> told;
  // Everything settled without a question; false: the journal waits for one.
  const auto settle = [&](OpenedJournal& opened, const std::string& path, JournalState state,
                          bool isUndo) {
    switch (DecideRecovery(state, isUndo)) {
      case RecoveryStep::Keep:
        return true;
      case RecoveryStep::Remove:
        if (opened.Held()) opened.File->Remove();
        return true;
      case RecoveryStep::SetAside: {
        // Nothing a journal that is not the run's own says is carried out;
        // it is kept aside for whoever wants to look at it.
        opened.File.reset();
        const std::string aside = AsidePath(path);
        fileSystem.RemoveFile(aside);
        fileSystem.Rename(path, aside);
        recovery.SetAside.emplace_back(path, aside);
        return true;
      }
      case RecoveryStep::AskToRollBack:
        return false;
    }
    return true;
  };
  // The question first; the folder is looked at only after a yes.
  const auto rollBack = [&](OpenedJournal& opened, const Journal& journal, std::size_t files,
                            bool isUndo) {
    std::string question = RecoveryQuestionText(journal.Folder, files, isUndo);
    if (journal.LacksIdentities()) question += "\n\n" + std::string(Text(kTextJournalWithoutIdentities));
    if (!ask(question)) return;
    if (!fileSystem.EntryExists(journal.Folder)) {
      told.push_back(FormatText(kTextJournalFolderUnreachable, {journal.Folder}));
      return;
    }
    const RollBackResult rolled = RollBack(fileSystem, journal);
    std::string text = RecoveredText(rolled.Restored, rolled.Left, isUndo);
    if (rolled.Left.empty()) {
      opened.File->Remove();
    } else {
      text += "\n\n" + std::string(Text(kTextRecoveryKept));
    }
    told.push_back(std::move(text));
  };

  // A finished run's journal, read whole here, is what the File menu's
  // Undo would read again: its summary goes with the recovery.
  if (runState == JournalState::Finished &&
      (undoState == JournalState::Missing || undoState == JournalState::Finished ||
       undoState == JournalState::Empty || undoState == JournalState::NothingMoved)) {
    recovery.LastRunKnown = true;
    const std::size_t files = RenamedFileCount(run);
    if (files > 0) recovery.LastRun = UndoSummary{run.Folder, files, run.LacksIdentities()};
  }
  const bool undoSettled = settle(undoFile, paths.Undo, undoState, true);
  if (!undoSettled) {
    // An undo cut off goes back to the state after the run, which can then
    // be undone again: the run's journal is for that undo, and stays.
    rollBack(undoFile, undo, undoFiles, true);
    if (runState == JournalState::Foreign || runState == JournalState::Empty) {
      settle(runFile, paths.Run, runState, false);
    }
  } else if (!settle(runFile, paths.Run, runState, false)) {
    rollBack(runFile, run, runFiles, false);
  }
  for (const std::string& text : told) {
    if (!recovery.Told.empty()) recovery.Told += "\n\n";
    recovery.Told += text;
  }
  return recovery;
}

bool RecoveryWaits(FileSystem& fileSystem, const JournalPaths& paths) {
  for (const std::string* path : {&paths.Undo, &paths.Run}) {
    JournalHold how = JournalHold::Missing;
    const std::unique_ptr<HeldJournal> held = fileSystem.HoldJournal(*path, false, how);
    if (how == JournalHold::Missing) continue;
    if (!held) return true;  // busy or unreadable: the recovery says so
    if (path == &paths.Undo) return true;  // an undo's journal is never left behind
    std::string text;
    std::string kind;
    if (!held->Read(text)) return true;
    if (LookAtJournal(text, &kind) != JournalLook::Finished || kind != JournalRunKind) return true;
  }
  return false;
}

}  // namespace korvath
