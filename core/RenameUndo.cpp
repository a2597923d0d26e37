#include "RenameUndo.h"

#include <algorithm>
#include <optional>

#include "FileNames.h"
#include "NameConflicts.h"
#include "NameKeys.h"
#include "StagedMoves.h"
#include "TakenNames.h"

namespace korvath {
namespace {

enum class JournalRead {
  Missing,  // no journal (or one cut off before its header)
  Refused,  // there, but not a journal the run writes
  Read,
};

// Only the header's beginning, or nothing at all: the program stopped
// before its first record, and nothing was done.
bool BeforeTheHeader(std::string_view text) {
  if (text.substr(0, JournalBom.size()) == JournalBom) text.remove_prefix(JournalBom.size());
  constexpr std::string_view mark = "KVTJ1\t";
  return text.find('\n') == std::string_view::npos &&
         text.substr(0, mark.size()) == mark.substr(0, std::min(text.size(), mark.size()));
}

// A journal without the byte order mark is an earlier version's, in
// Shift-JIS; one the file system cannot convert is as unreadable as a
// broken one. kind: what the journal at this path must be.
JournalRead ReadJournal(FileSystem& fileSystem, const std::string& path, std::string_view kind,
                        Journal& journal) {
  std::string bytes;
  if (!fileSystem.ReadWholeFile(path, bytes)) {
    // Too large, or not readable at all: nothing the run wrote.
    return fileSystem.EntryExists(path) ? JournalRead::Refused : JournalRead::Missing;
  }
  if (BeforeTheHeader(bytes)) return JournalRead::Missing;
  bool parsed = false;
  if (std::string_view(bytes).substr(0, JournalBom.size()) == JournalBom) {
    parsed = ParseJournal(bytes, journal);
  } else {
    const std::optional<std::string> text = fileSystem.ShiftJisToUtf8(bytes);
    parsed = text && ParseJournal(*text, journal);
  }
  return parsed && journal.Kind == kind ? JournalRead::Read : JournalRead::Refused;
}

// Files whose name the journal changed (a file that went aside and came
// back has none to undo).
std::size_t RenamedFiles(const std::vector<JournalFile>& files) {
  return static_cast<std::size_t>(
      std::count_if(files.begin(), files.end(),
                    [](const JournalFile& f) { return NameKey(f.From) != NameKey(f.To); }));
}

// The run's journal again, with only the steps of the files given, in
// their order: read back, it gives exactly those files' moves.
bool RewriteJournal(FileSystem& fileSystem, const std::string& path, const Journal& journal,
                    const std::vector<JournalFile>& files, const std::vector<std::size_t>& kept) {
  std::vector<std::size_t> steps;
  for (std::size_t file : kept) {
    steps.insert(steps.end(), files[file].Steps.begin(), files[file].Steps.end());
  }
  std::sort(steps.begin(), steps.end());
  std::string text = JournalHeader(JournalRunKind, journal.Folder);
  for (std::size_t s : steps) {
    const JournalStep& step = journal.Steps[s];
    text += JournalStepLine(step.From, step.To, step.Identity);
  }
  text += JournalEndLine;
  std::unique_ptr<JournalWriter> writer = fileSystem.CreateJournal(path);
  return writer && writer->Append(text) && writer->Flush();
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

std::optional<UndoSummary> UndoableRun(FileSystem& fileSystem, const JournalPaths& paths) {
  Journal journal;
  if (ReadJournal(fileSystem, paths.Run, JournalRunKind, journal) != JournalRead::Read ||
      !journal.Ended) {
    return std::nullopt;
  }
  const std::size_t files = RenamedFiles(JournalFiles(journal));
  if (files == 0 || !fileSystem.EntryExists(journal.Folder) || fileSystem.EntryExists(paths.Undo)) {
    return std::nullopt;
  }
  return UndoSummary{journal.Folder, files};
}

bool CanUndo(FileSystem& fileSystem, const JournalPaths& paths) {
  return UndoableRun(fileSystem, paths).has_value();
}

UndoResult UndoLastRun(FileSystem& fileSystem, const JournalPaths& paths,
                       const UndoProgress& progress) {
  UndoResult result;
  Journal journal;
  if (ReadJournal(fileSystem, paths.Run, JournalRunKind, journal) != JournalRead::Read ||
      !journal.Ended || fileSystem.EntryExists(paths.Undo)) {
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
    if (stopRequested()) {
      result.Stopped = true;
      return result;
    }
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
  if (stopRequested()) {
    result.Stopped = true;
    return result;
  }
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (conflicts[i] == NameConflict::Unusable) {
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

  std::unique_ptr<JournalWriter> writer = fileSystem.CreateJournal(paths.Undo);
  if (writer && writer->Append(JournalHeader(JournalUndoKind, journal.Folder))) {
    // Files, not steps: those skipped before the batch count as done.
    const std::size_t skipped = moves.size() - batch.size();
    const auto turn = [&](const MoveTurn& at) {
      show(skipped + at.Settled, moves.size(), batch[at.Move].From);
      return !progress.StopRequested || !progress.StopRequested();
    };
    const std::vector<MoveResult> outcomes = ExecuteMoves(
        fileSystem, journal.Folder, batch, *writer, [&](std::size_t) { ++result.Restored; }, turn);
    std::vector<std::size_t> notReached;  // files of the run, in its order
    for (std::size_t b = 0; b < batch.size(); ++b) {
      if (outcomes[b].Result == MoveResult::Outcome::NotTried) {
        result.Stopped = true;
        notReached.push_back(fileOf[indexOf[b]]);
      } else if (outcomes[b].Result == MoveResult::Outcome::Refused) {
        reasons[indexOf[b]] = outcomes[b].Reason;
      } else if (outcomes[b].Result == MoveResult::Outcome::Stranded) {
        reasons[indexOf[b]] = StrandedReason(outcomes[b].Reason, outcomes[b].Where);
      }
    }
    // Stopped: what is left can be undone later. The run's journal is
    // rewritten while the undo's still stands, so that a stop in between
    // finds the undo to roll back at the next start.
    const bool keepRun =
        !notReached.empty() && RewriteJournal(fileSystem, paths.Run, journal, files, notReached);
    writer->Append(JournalEndLine);
    writer->Flush();
    writer.reset();
    // The run's journal goes first: should the program stop in between,
    // the finished undo is only cleared away at the next start.
    if (!keepRun) fileSystem.RemoveFile(paths.Run);
    fileSystem.RemoveFile(paths.Undo);
  } else {
    for (std::size_t i : indexOf) reasons[i] = JournalFailedReason;
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
  Journal undo, run;
  const JournalRead undoRead = ReadJournal(fileSystem, paths.Undo, JournalUndoKind, undo);
  const JournalRead runRead = ReadJournal(fileSystem, paths.Run, JournalRunKind, run);
  // Nothing a journal that is not the run's own says is carried out; it is
  // kept aside for whoever wants to look at it.
  for (const auto& [read, path] : {std::pair{undoRead, &paths.Undo}, {runRead, &paths.Run}}) {
    if (read != JournalRead::Refused) continue;
    const std::string aside = AsidePath(*path);
    fileSystem.RemoveFile(aside);
    fileSystem.Rename(*path, aside);
    recovery.SetAside.emplace_back(*path, aside);
  }
  if (undoRead == JournalRead::Missing) fileSystem.RemoveFile(paths.Undo);
  if (runRead == JournalRead::Missing) fileSystem.RemoveFile(paths.Run);

  // A folder out of reach (a card or stick taken out) is left for a later
  // start, journal and all. Nothing moves before the user has said yes.
  const auto rollBack = [&](const Journal& journal, const std::string& path, bool isUndo) {
    if (!fileSystem.EntryExists(journal.Folder)) return false;
    const std::size_t files = RenamedFiles(JournalFiles(journal));
    if (files > 0) {
      if (!ask(RecoveryQuestionText(journal.Folder, files, isUndo))) return false;
      const RollBackResult rolled = RollBack(fileSystem, journal);
      recovery.Told = RecoveredText(rolled.Restored, rolled.Left, isUndo);
    }
    fileSystem.RemoveFile(path);  // cut off before a file had moved: nothing to tell
    return true;
  };
  if (undoRead == JournalRead::Read) {
    // An undo cut off goes back to the state after the run, which can then
    // be undone again; a finished one only lost its clearing away.
    if (undo.Ended) {
      if (runRead == JournalRead::Read) fileSystem.RemoveFile(paths.Run);
      fileSystem.RemoveFile(paths.Undo);
    } else if (!rollBack(undo, paths.Undo, true) || !recovery.Told.empty()) {
      return recovery;  // kept, or rolled back: the run's journal is for its undo
    }
  }
  if (runRead == JournalRead::Read && !run.Ended &&
      !(undoRead == JournalRead::Read && undo.Ended)) {
    rollBack(run, paths.Run, false);
  }
  return recovery;
}

}  // namespace korvath
