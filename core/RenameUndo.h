#pragma once
// Taking back the last rename run from its journal, and finishing off at
// start-up a run (or an undo) that was cut off.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "RenameRun.h"
#include "RenameTexts.h"

namespace korvath {

// The journal files, both beside the settings file: the last run's, kept
// for its undo, and the one an undo writes while it works.
struct JournalPaths {
  std::string Run;
  std::string Undo;
};
JournalPaths JournalPathsBeside(const std::string& settingsPath);
// Where a journal that cannot be trusted is put aside: "KVTrun.log" gives
// "KVTrun.bad".
std::string AsidePath(const std::string& journalPath);

// The last run as its undo would take it back: its folder and how many
// files would move.
struct UndoSummary {
  std::string Folder;
  std::size_t Files = 0;
  // Written by an earlier version: its files are known by their names only.
  bool WithoutIdentities = false;
};
// Set when the last run can be undone: its journal is complete and one the
// run writes, some file was renamed, no other Korvath holds it, and no undo
// cut off is waiting. Decided from the journal alone: nothing in the run's
// folder is looked at before the undo is chosen.
std::optional<UndoSummary> UndoableRun(FileSystem& fileSystem, const JournalPaths& paths);
bool CanUndo(FileSystem& fileSystem, const JournalPaths& paths);

// UndoableRun as the File menu asks it at every opening: the journal is
// read again only when it has changed (FileStamp) or another Korvath held it.
class UndoAvailability {
 public:
  std::optional<UndoSummary> Check(FileSystem& fileSystem, const JournalPaths& paths);
  // What the start-up's recovery read of the journals as they are now.
  void Know(FileSystem& fileSystem, const JournalPaths& paths, std::optional<UndoSummary> summary);

 private:
  bool known_ = false;
  std::string runStamp_, undoStamp_;
  std::optional<UndoSummary> summary_;
};

// What an undo shows while it works and asks between files, as a run does.
struct UndoProgress {
  // Files done so far out of all, and the current name of the file in hand.
  std::function<void(std::size_t, std::size_t, const std::string&)> Show;
  // True ends the undo before the next file's turn.
  std::function<bool()> StopRequested;
};

struct UndoResult {
  bool Done = false;  // false: nothing to undo
  std::string Folder;
  int Restored = 0;
  int FailureCount = 0;
  std::vector<RenameFailure> FirstFailures;  // current name, old name, reason
  bool Stopped = false;  // ended early: the files not reached can still be undone
  bool Busy = false;           // another Korvath holds a journal: nothing was done
  bool FolderMissing = false;  // the run's folder is not there: nothing was done
  std::string BusyText;        // the message for Busy
  // Files whose undo failed but may succeed later (a stop, a refused
  // rename, a file left under a temporary name): they stay in the run's
  // journal and can be undone again.
  int Kept = 0;
};

// Renames every file of the last run back, last first and never
// overwriting; a file since moved or deleted, one whose name another file
// holds now (its identity differs from the journal's), or whose old name is
// now taken, is skipped. Journaled like a run; both journals are held
// until the undo is over. Afterwards the run's journal holds only the
// files kept (UndoResult::Kept), or is gone, so that no file is undone
// twice.
UndoResult UndoLastRun(FileSystem& fileSystem, const JournalPaths& paths,
                       const UndoProgress& progress = {});

// At start-up, and before a run when a journal waits. A journal another
// Korvath holds is left alone (Busy). Nothing in a journal's folder is
// looked at before ask (given the question: folder and number of files)
// has answered; see kRecoveryRules in RenameUndo.cpp for every decision.
struct Recovery {
  std::string Told;  // what the user is told afterwards (empty: nothing)
  std::vector<std::pair<std::string, std::string>> SetAside;  // journal, its new name
  bool Busy = false;  // another Korvath is renaming: Told says so
  // Read on the way: the last run as its undo would take it back, when the
  // journals are left as they are for that undo (UndoAvailability::Know).
  std::optional<UndoSummary> LastRun;
  bool LastRunKnown = false;
};
Recovery RecoverInterrupted(FileSystem& fileSystem, const JournalPaths& paths,
                            const std::function<bool(const std::string&)>& ask);

// True when RecoverInterrupted has something to do or tell: a journal
// that is neither a finished run's nor missing.
bool RecoveryWaits(FileSystem& fileSystem, const JournalPaths& paths);

}  // namespace korvath
