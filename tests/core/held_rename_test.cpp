// Renames bound to the file they checked: another program at work on the
// names between the check and the rename, and renames called off by a stop
// on a share that answers late.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "RenameJournal.h"
#include "RenameTexts.h"
#include "RenameUndo.h"
#include "StagedMoves.h"
#include "TestDoubles.h"

namespace korvath {
namespace {

using testing::MemoryFolder;

const JournalPaths kPaths = JournalPathsBeside("KVTset.ini");
const std::string kRoot(MemoryFolder::Root);

// A share whose server carries out or refuses a rename and whose answer
// comes too late: the rename is called off (Unsure) either way.
class LateShare : public MemoryFolder {
 public:
  std::set<std::string> Refused;  // sources the server refuses
  bool Rename(const std::string& from, const std::string& to) override {
    if (Refused.count(std::string(Local(from))) != 0) return false;
    return MemoryFolder::Rename(from, to);
  }
};

// p1..p<count> renamed to a1..: the run's journal, ended.
template <class Folder>
std::vector<MoveResult> RunToA(Folder& folder, int count) {
  std::vector<Move> moves;
  for (int i = 1; i <= count; ++i) {
    folder.Add("p" + std::to_string(i) + ".jpg", i);
    moves.push_back({"p" + std::to_string(i) + ".jpg", "a" + std::to_string(i) + ".jpg"});
  }
  std::unique_ptr<JournalWriter> journal = folder.CreateJournal(kPaths.Run);
  journal->Append(JournalHeader(JournalRunKind, kRoot));
  std::vector<MoveResult> results = ExecuteMoves(folder, kRoot, moves, *journal, [](std::size_t) {});
  journal->Append(JournalEndLine);
  return results;
}

// After a stop called two renames off, the one the server did carry out is
// journaled as taken (and undone later), the one it refused as refused.
TEST(HeldRename, ARenameCalledOffIsJournaledAsWhatHappenedOnTheDisk) {
  LateShare folder;
  folder.Refused = {"p2.jpg"};
  folder.UnsureRenames = 2;  // p1's (carried out) and p2's (refused)
  const std::vector<MoveResult> results = RunToA(folder, 4);
  EXPECT_EQ(results[0].Result, MoveResult::Outcome::Done);
  EXPECT_EQ(results[1].Result, MoveResult::Outcome::Refused);
  EXPECT_EQ(results[2].Result, MoveResult::Outcome::Done);
  Journal journal;
  ASSERT_TRUE(ParseJournal(folder.Journals[kPaths.Run], journal));
  ASSERT_EQ(journal.StepCount(), 4u);
  EXPECT_FALSE(journal.Step(0).Failed);
  EXPECT_TRUE(journal.Step(1).Failed);
  EXPECT_EQ((std::map<std::string, int>{{"a1.jpg", 1}, {"p2.jpg", 2}, {"a3.jpg", 3}, {"a4.jpg", 4}}),
            folder.State());

  folder.Refused.clear();
  const UndoResult undo = UndoLastRun(folder, kPaths);
  EXPECT_EQ(undo.Restored, 3);
  EXPECT_EQ(undo.FailureCount, 0);
  EXPECT_EQ((std::map<std::string, int>{{"p1.jpg", 1}, {"p2.jpg", 2}, {"p3.jpg", 3}, {"p4.jpg", 4}}),
            folder.State());
}

// A sync client replaces a2.jpg before the undo reaches it, and recreates
// a3.jpg while its rename is under way: neither newcomer is moved, the file
// checked is the file moved, and only the replaced one is reported. A stop
// before the first rename leaves everything undoable; a roll-back racing
// the same client moves no newcomer either.
TEST(HeldRename, UndoAndRollBackMoveTheFileTheyCheckedNeverOneRecreatedUnderItsName) {
  MemoryFolder folder;
  RunToA(folder, 5);
  const std::string journalText = folder.Journals[kPaths.Run];

  UndoProgress stopAtOnce;
  stopAtOnce.StopRequested = [] { return true; };
  const UndoResult stopped = UndoLastRun(folder, kPaths, stopAtOnce);
  EXPECT_TRUE(stopped.Stopped);
  EXPECT_EQ(stopped.Restored, 0);
  EXPECT_TRUE(folder.Renamed.size() == 5u && folder.HoldCalls.size() == 5u);
  EXPECT_EQ(folder.Journals[kPaths.Run], journalText);
  ASSERT_TRUE(CanUndo(folder, kPaths));

  folder.Remove("a2.jpg");
  folder.Add("a2.jpg", 20);  // replaced before the undo
  int renames = 0;
  std::function<void()> client = [&] {
    if (++renames != 3) {
      folder.BeforeHeldRename = client;
      return;
    }
    // a3.jpg's turn (last first: a5, a4, a3): moved away and made anew.
    folder.Rename("a3.jpg", "a3.jpg.sync");
    folder.Add("a3.jpg", 30);
  };
  folder.BeforeHeldRename = client;
  const UndoResult undo = UndoLastRun(folder, kPaths);
  EXPECT_EQ(undo.Restored, 4);
  ASSERT_EQ(undo.FailureCount, 1);
  EXPECT_EQ(undo.FirstFailures[0].Reason, ChangedFileReason);
  EXPECT_EQ((std::map<std::string, int>{{"p1.jpg", 1},
                                        {"a2.jpg", 20},
                                        {"p3.jpg", 3},
                                        {"a3.jpg", 30},
                                        {"p4.jpg", 4},
                                        {"p5.jpg", 5}}),
            folder.State());

  // An interrupted run rolled back at the next start, the client at work.
  MemoryFolder cut;
  RunToA(cut, 3);
  Journal journal;
  ASSERT_TRUE(ParseJournal(cut.Journals[kPaths.Run], journal));
  journal.Ended = false;
  cut.BeforeHeldRename = [&] {  // a3's turn, the first
    cut.Rename("a3.jpg", "a3.jpg.sync");
    cut.Add("a3.jpg", 30);
  };
  const RollBackResult rolled = RollBack(cut, journal);
  EXPECT_EQ(rolled.Restored, 3);
  EXPECT_EQ((std::map<std::string, int>{{"p1.jpg", 1}, {"p2.jpg", 2}, {"p3.jpg", 3}, {"a3.jpg", 30}}),
            cut.State());
}

}  // namespace
}  // namespace korvath
