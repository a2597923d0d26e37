#include "RenameUndo.h"

#include <optional>

#include "FileNames.h"
#include "NameConflicts.h"
#include "NameKeys.h"
#include "StagedMoves.h"

namespace korvath {
namespace {

// A journal without the byte order mark is an earlier version's, in
// Shift-JIS; one the file system cannot convert is as unreadable as a
// broken one.
bool ReadJournal(FileSystem& fileSystem, const std::string& path, Journal& journal) {
  std::string bytes;
  if (!fileSystem.ReadWholeFile(path, bytes)) return false;
  if (std::string_view(bytes).substr(0, JournalBom.size()) == JournalBom) {
    return ParseJournal(bytes, journal);
  }
  const std::optional<std::string> text = fileSystem.ShiftJisToUtf8(bytes);
  return text && ParseJournal(*text, journal);
}

}  // namespace

JournalPaths JournalPathsBeside(const std::string& settingsPath) {
  const std::string_view name = ExtractNamePart(settingsPath);
  const std::string folder = settingsPath.substr(0, settingsPath.size() - name.size());
  return {folder + "KVTrun.log", folder + "KVTundo.log"};
}

bool CanUndo(FileSystem& fileSystem, const JournalPaths& paths) {
  Journal journal;
  if (!ReadJournal(fileSystem, paths.Run, journal)) return false;
  if (!journal.Ended || journal.Kind != JournalRunKind) return false;
  bool renamed = false;
  for (const JournalStep& step : journal.Steps) renamed = renamed || !step.Failed;
  return renamed && (journal.Folder.empty() || fileSystem.EntryExists(journal.Folder));
}

UndoResult UndoLastRun(FileSystem& fileSystem, const JournalPaths& paths) {
  UndoResult result;
  Journal journal;
  if (!ReadJournal(fileSystem, paths.Run, journal) || !journal.Ended) return result;
  result.Done = true;
  result.Folder = journal.Folder;

  // Each file from where the run left it back to where it was, last first.
  std::vector<Move> files = NetMoves(journal);
  std::vector<Move> moves;
  moves.reserve(files.size());
  for (std::size_t i = files.size(); i-- > 0;) {
    if (NameKey(files[i].From) != NameKey(files[i].To)) moves.push_back({files[i].To, files[i].From});
  }

  // A file gone, or an old name now held by a file that stays, is skipped;
  // a skipped file keeps its place from whoever would have taken it.
  std::vector<std::string> oldKeys(moves.size()), newKeys(moves.size()), reasons(moves.size());
  std::vector<bool> missing(moves.size());
  for (std::size_t i = 0; i < moves.size(); ++i) {
    oldKeys[i] = NameKey(moves[i].From);
    newKeys[i] = NameKey(moves[i].To);
    missing[i] = !fileSystem.EntryExists(JoinPath(journal.Folder, moves[i].From));
  }
  const std::vector<NameConflict> conflicts =
      FindConflicts(oldKeys, newKeys, missing, [&](std::size_t i) {
        return fileSystem.EntryExists(JoinPath(journal.Folder, moves[i].To));
      });
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (conflicts[i] == NameConflict::Unusable) {
      reasons[i] = MissingFileReason;
    } else if (conflicts[i] != NameConflict::None) {
      reasons[i] = CollisionReason;
    }
  }
  std::vector<Move> batch;
  std::vector<std::size_t> indexOf;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (!reasons[i].empty()) continue;
    batch.push_back(moves[i]);
    indexOf.push_back(i);
  }

  std::unique_ptr<JournalWriter> writer = fileSystem.CreateJournal(paths.Undo);
  if (writer && writer->Append(JournalHeader(JournalUndoKind, journal.Folder))) {
    const std::vector<MoveResult> outcomes = ExecuteMoves(
        fileSystem, journal.Folder, batch, *writer, [&](std::size_t) { ++result.Restored; });
    for (std::size_t b = 0; b < batch.size(); ++b) {
      if (outcomes[b].Result == MoveResult::Outcome::Refused) {
        reasons[indexOf[b]] = outcomes[b].Reason;
      } else if (outcomes[b].Result == MoveResult::Outcome::Stranded) {
        reasons[indexOf[b]] = StrandedReason(outcomes[b].Reason, outcomes[b].Where);
      }
    }
    writer->Append(JournalEndLine);
    writer->Flush();
    writer.reset();
    // The run's journal goes first: should the program stop in between,
    // the finished undo is only cleared away at the next start.
    fileSystem.RemoveFile(paths.Run);
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

std::string RecoverInterrupted(FileSystem& fileSystem, const JournalPaths& paths) {
  std::string text;
  Journal journal;
  // A folder out of reach (a card or stick taken out) is left for a later
  // start, journal and all.
  const auto reachable = [&](const Journal& j) {
    return j.Folder.empty() || fileSystem.EntryExists(j.Folder);
  };
  if (ReadJournal(fileSystem, paths.Undo, journal) && reachable(journal)) {
    // An undo cut off goes back to the state after the run, which can then
    // be undone again; a finished one only lost its clearing away.
    if (!journal.Ended) {
      const RollBackResult rolled = RollBack(fileSystem, journal);
      text = RecoveredText(rolled.Restored, rolled.Left, true);
    } else {
      fileSystem.RemoveFile(paths.Run);
    }
    fileSystem.RemoveFile(paths.Undo);
    if (!text.empty()) return text;
  }
  if (ReadJournal(fileSystem, paths.Run, journal) && !journal.Ended && reachable(journal)) {
    const RollBackResult rolled = RollBack(fileSystem, journal);
    fileSystem.RemoveFile(paths.Run);
    // Cut off before its first step, the run changed nothing worth telling.
    if (!journal.Steps.empty()) text = RecoveredText(rolled.Restored, rolled.Left, false);
  }
  return text;
}

}  // namespace korvath
