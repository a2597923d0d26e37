#pragma once
// Carrying out a batch of renames in one folder so that every file ends
// with exactly the name asked for, even where one file's new name is
// another's old one (p1 -> p2 -> p3, or a -> b -> c -> a): files whose
// new name is still held by another file of the batch first step aside
// under a unique temporary name in the same folder, and take their new
// names once the batch has moved away. Every step is journaled before it
// is taken; nothing is ever overwritten.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "RenameJournal.h"
#include "RenameRun.h"

namespace korvath {

struct Move {
  std::string From;  // relative to the folder
  std::string To;
  bool operator==(const Move&) const = default;
};

struct MoveResult {
  enum class Outcome {
    Done,      // the file has its new name
    Refused,   // the file keeps its old name; Reason says why
    Stranded,  // refused on the way back too: the file is under Where
    NotTried,  // the batch was stopped before its turn: the file keeps its name
  };
  Outcome Result = Outcome::Refused;
  std::string Reason;
  std::string Where;
};

// Names of the temporary files: "~KVT<n>_<old name>", so that a file left
// under one can still be recognised by the user (the old name cut short
// where the whole would be longer than a name can be).
inline constexpr std::string_view TemporaryNameMark = "~KVT";

// Carries out moves (sources distinct, targets distinct by NameKey, no
// target held by anything but the source of another move) in folder.
// moved(i) is called as move i reaches its new name. A move whose target
// turns out held by a file that stays is refused, and so, in a chain, is
// every move waiting for it. When the journal cannot be written, no further
// step is taken, except those bringing files back from temporary names.
std::vector<MoveResult> ExecuteMoves(FileSystem& fileSystem, const std::string& folder,
                                     const std::vector<Move>& moves, JournalWriter& journal,
                                     const std::function<void(std::size_t)>& moved);

// Before each step: the move, the steps taken so far and in all, and
// whether the batch may stop here (true before a move's first step).
struct MoveTurn {
  std::size_t Move = 0;
  std::size_t Step = 0;
  std::size_t Steps = 0;
  bool CanStop = false;
};
// The same, asking before each step; a false answer where CanStop stops
// the batch: that move and every one not begun keep their names (NotTried),
// and so does every move waiting for one of them, back from its temporary
// name. Files already under temporary names whose new names are free take
// them: no file is left under a temporary name by a stop.
std::vector<MoveResult> ExecuteMoves(FileSystem& fileSystem, const std::string& folder,
                                     const std::vector<Move>& moves, JournalWriter& journal,
                                     const std::function<void(std::size_t)>& moved,
                                     const std::function<bool(const MoveTurn&)>& turn);

// What the steps of a journal did to each file, in journal order: the
// file's name before the first step and after its last taken step.
std::vector<Move> NetMoves(const Journal& journal);

// Rolls back the taken steps of a journal, last first. A step counts as
// taken when its source is gone and its target is there, so rolling back
// twice is harmless. Returns the files brought back (first name and the
// name they had) and, in left, those that could not be.
struct RollBackResult {
  int Restored = 0;
  std::vector<Move> Left;  // From: where the file is; To: its old name
};
RollBackResult RollBack(FileSystem& fileSystem, const Journal& journal);

}  // namespace korvath
