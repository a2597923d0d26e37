#pragma once
// Taking back the last rename run from its journal, and finishing off at
// start-up a run (or an undo) that was cut off.

#include <string>
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

// True when the last run can be undone: its journal is complete, some file
// was renamed, and its folder is there.
bool CanUndo(FileSystem& fileSystem, const JournalPaths& paths);

struct UndoResult {
  bool Done = false;  // false: nothing to undo
  std::string Folder;
  int Restored = 0;
  int FailureCount = 0;
  std::vector<RenameFailure> FirstFailures;  // current name, old name, reason
};

// Renames every file of the last run back, last first and never
// overwriting; a file since moved or deleted, or whose old name is now
// taken, is skipped. Journaled like a run. Afterwards no journal is left:
// the run cannot be undone twice.
UndoResult UndoLastRun(FileSystem& fileSystem, const JournalPaths& paths);

// At start-up: rolls back an undo or a run whose journal has no end, and
// returns the text telling the user what was done (empty: nothing to do).
std::string RecoverInterrupted(FileSystem& fileSystem, const JournalPaths& paths);

}  // namespace korvath
