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
};
// Set when the last run can be undone: its journal is complete and one the
// run writes, some file was renamed, its folder is there, and no undo cut
// off is waiting for the next start.
std::optional<UndoSummary> UndoableRun(FileSystem& fileSystem, const JournalPaths& paths);
bool CanUndo(FileSystem& fileSystem, const JournalPaths& paths);

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
};

// Renames every file of the last run back, last first and never
// overwriting; a file since moved or deleted, one whose name another file
// holds now (its identity differs from the journal's), or whose old name is
// now taken, is skipped. Journaled like a run. Afterwards no journal is
// left, so the run cannot be undone twice; a stopped undo leaves the run's
// journal holding only the files it did not reach.
UndoResult UndoLastRun(FileSystem& fileSystem, const JournalPaths& paths,
                       const UndoProgress& progress = {});

// At start-up. A journal that is not one the run writes is renamed aside
// (AsidePath) unused. An undo or a run whose journal has no end is rolled
// back once ask (given the question: folder and number of files) answers
// true; otherwise it is kept for a later start.
struct Recovery {
  std::string Told;  // what was rolled back (empty: nothing)
  std::vector<std::pair<std::string, std::string>> SetAside;  // journal, its new name
};
Recovery RecoverInterrupted(FileSystem& fileSystem, const JournalPaths& paths,
                            const std::function<bool(const std::string&)>& ask);

}  // namespace korvath
