#pragma once
// Carrying out a batch of renames in one folder so that every file ends
// with exactly the name asked for, even where one file's new name is
// another's old one. The moves form chains (p1 -> p2 -> p3, each waiting
// for the next file to move away) and cycles (a -> b -> c -> a): a chain
// is carried out from its free end, one rename a file; a cycle sends one
// of its files aside under a temporary name in the same folder, moves the
// others on and brings that one to its new name. A name that changes only
// in letter case is a cycle of one file: aside, then to the new name. Every step is journaled
// before it is taken; nothing is ever overwritten.

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
  // The file's identity as last journaled (an undo's moves): a step whose
  // name holds another file now is refused. Empty: the name is trusted.
  std::string Identity = {};
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
// moved(i) is called as move i reaches its new name (a cycle's files once
// the whole cycle is through). A move whose step is refused keeps its file
// where it was, and so does every move waiting for it, in a chain or a
// cycle; a cycle's files already moved go back, so that no file stays
// under a temporary name unless a step back is refused too (Stranded).
// When the journal cannot be written, no further step is taken, except
// those bringing a cycle's files back.
std::vector<MoveResult> ExecuteMoves(FileSystem& fileSystem, const std::string& folder,
                                     const std::vector<Move>& moves, JournalWriter& journal,
                                     const std::function<void(std::size_t)>& moved);

// Before each step that the batch may stop at: the move in hand, and how
// many moves are through (reached their names, given up, or moved on in
// the cycle in hand) out of all.
struct MoveTurn {
  std::size_t Move = 0;
  std::size_t Settled = 0;
  std::size_t Moves = 0;
};
// The same, asking before each step; a false answer stops the batch after
// the step in hand: that move and every one not settled keep their names
// (NotTried). A cycle under way is first brought to an end, forward or
// back, whichever takes fewer steps: no file is left under a temporary
// name by a stop.
std::vector<MoveResult> ExecuteMoves(FileSystem& fileSystem, const std::string& folder,
                                     const std::vector<Move>& moves, JournalWriter& journal,
                                     const std::function<void(std::size_t)>& moved,
                                     const std::function<bool(const MoveTurn&)>& turn);

// What the steps of a journal did to each file, in journal order: the
// file's name before the first step and after its last taken step, its
// identity as last recorded, and the indexes of its taken steps.
struct JournalFile {
  std::string From;
  std::string To;
  std::string Identity;
  std::vector<std::size_t> Steps;
};
std::vector<JournalFile> JournalFiles(const Journal& journal);
std::vector<Move> NetMoves(const Journal& journal);
// How many files the journal's taken steps gave another name (a file that
// went aside and came back has none), in a small multiple of the
// journal's size however many steps it holds.
std::size_t RenamedFileCount(const Journal& journal);
// True when a name below folder ("sub\a.txt") goes through a folder that
// is a link (FileSystem::IsLinkFolder).
bool PassesThroughLink(FileSystem& fileSystem, const std::string& folder, std::string_view name);

// Rolls back the taken steps of a journal, last first. A step counts as
// taken when its source is gone and its target is there, so rolling back
// twice is harmless; a target now held by another file than the step's
// (its identity differs) counts as not taken; only files move, and a step
// through a folder that is a link now is left undone. Returns the files brought back
// (first name and the name they had) and, in left, those that could not be.
struct RollBackResult {
  int Restored = 0;
  std::vector<Move> Left;  // From: where the file is; To: its old name
};
RollBackResult RollBack(FileSystem& fileSystem, const Journal& journal);

}  // namespace korvath
