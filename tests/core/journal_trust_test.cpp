// Journals read back at start-up and by the undo come from a folder anyone
// may have written to: only what the run itself writes is carried out, and
// nothing moves before the user has said yes.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "RenameJournal.h"
#include "RenameUndo.h"
#include "StagedMoves.h"
#include "TestDoubles.h"

namespace korvath {
namespace {

using testing::MemoryFolder;

const JournalPaths kPaths = JournalPathsBeside("KVTset.ini");

std::string Header(std::string_view folder, std::string_view kind = JournalRunKind) {
  return JournalHeader(kind, folder);
}
std::string Steps(const std::vector<Move>& moves) {
  std::string text;
  for (const Move& move : moves) text += JournalStepLine(move.From, move.To);
  return text;
}

// The run's folder with two files of its own, and files beside and above it
// where a planted "..\" or a full path would reach them: any of them moving
// shows up in State().
MemoryFolder PlantedFolder() {
  MemoryFolder folder;
  folder.Add("victim.txt", 1);
  folder.Add("pulled.txt", 2);
  folder.AddFolder("sub");
  folder.Add("sub\\x.txt", 3);
  folder.AddFolder("..\\elsewhere");
  folder.Add("..\\elsewhere\\stolen.txt", 4);
  folder.AddFolder("C:\\elsewhere");
  folder.Add("C:\\elsewhere\\stolen.txt", 5);
  return folder;
}

TEST(JournalTrust, AJournalTheRunCouldNotHaveWrittenIsPutAsideAndMovesNothing) {
  const std::string root(MemoryFolder::Root);
  // A journal refused by its size alone.
  const std::string huge =
      Header(root) + JournalStepLine("victim.txt", std::string(kLargestWholeFile, 'v'));
  struct Case {
    const char* what;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"climbing out", Header(root) + Steps({{"..\\elsewhere\\stolen.txt", "victim.txt"}})},
      {"pushing out", Header(root) + Steps({{"pulled.txt", "..\\elsewhere\\outside.txt"}})},
      {"climbing from below",
       Header(root) + Steps({{"sub\\..\\..\\elsewhere\\stolen.txt", "v.txt"}})},
      {"dots that climb", Header(root) + Steps({{"... \\elsewhere\\stolen.txt", "victim.txt"}})},
      {"a drive", Header(root) + Steps({{"C:\\elsewhere\\stolen.txt", "victim.txt"}})},
      {"a drive's folder", Header(root) + Steps({{"victim.txt", "C:x.txt"}})},
      {"a root", Header(root) + Steps({{"\\elsewhere\\stolen.txt", "victim.txt"}})},
      {"a share", Header(root) + Steps({{"\\\\srv\\share\\stolen.txt", "victim.txt"}})},
      {"the raw namespace", Header(root) + Steps({{"\\\\?\\C:\\elsewhere\\stolen.txt", "v.txt"}})},
      {"a stream", Header(root) + Steps({{"victim.txt:hidden", "v.txt"}})},
      {"an empty name", Header(root) + Steps({{"", "victim.txt"}})},
      {"an empty step", Header(root) + Steps({{"sub\\\\x.txt", "victim.txt"}})},
      {"a dot step", Header(root) + Steps({{"sub\\.\\x.txt", "victim.txt"}})},
      {"folder dot", Header(".") + Steps({{"pulled.txt", "victim2.txt"}})},
      {"folder empty", Header("") + Steps({{"pulled.txt", "victim2.txt"}})},
      {"folder relative", Header("run") + Steps({{"pulled.txt", "victim2.txt"}})},
      {"folder drive-relative", Header("C:run") + Steps({{"pulled.txt", "victim2.txt"}})},
      {"folder climbing", Header(root + "\\..\\run") + Steps({{"pulled.txt", "victim2.txt"}})},
      {"folder raw", Header("\\\\?\\" + root) + Steps({{"pulled.txt", "victim2.txt"}})},
      {"folder device", Header("\\\\.\\C:") + Steps({{"pulled.txt", "victim2.txt"}})},
      {"folder share without share", Header("\\\\srv") + Steps({{"pulled.txt", "victim2.txt"}})},
      {"unknown kind", Header(root, "copy") + Steps({{"pulled.txt", "victim2.txt"}})},
      {"torn line inside", Header(root) + "S\tpulled.txt\n" + Steps({{"victim.txt", "v2.txt"}})},
      {"unknown record", Header(root) + Steps({{"pulled.txt", "p2.txt"}}) + "X\tvictim.txt\n"},
      {"five fields", Header(root) + "S\tpulled.txt\tp2.txt\tc2\textra\n"},
      {"empty identity", Header(root) + "S\tpulled.txt\tp2.txt\t\n"},
      {"refusal first", Header(root) + "F\n" + Steps({{"pulled.txt", "p2.txt"}})},
      {"steps after the end", Header(root) + "E\n" + Steps({{"pulled.txt", "p2.txt"}})},
      {"no header", Steps({{"pulled.txt", "p2.txt"}})},
      {"too large", huge},
  };
  for (const Case& c : cases) {
    for (bool ended : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (ended ? ", ended" : ", cut off"));
      MemoryFolder folder = PlantedFolder();
      const std::map<std::string, int> before = folder.State();
      const std::string planted = c.text + (ended ? "E\n" : "");
      folder.Journals[kPaths.Run] = planted;
      // The undo is not offered, nor does it move anything when asked.
      EXPECT_FALSE(CanUndo(folder, kPaths));
      EXPECT_FALSE(UndoLastRun(folder, kPaths).Done);
      int asked = 0;
      const Recovery recovery = RecoverInterrupted(folder, kPaths, [&](const std::string&) {
        ++asked;
        return true;
      });
      EXPECT_EQ(asked, 0);
      EXPECT_EQ(recovery.Told, "");
      ASSERT_EQ(recovery.SetAside.size(), 1u);
      EXPECT_EQ(recovery.SetAside[0],
                (std::pair<std::string, std::string>{"KVTrun.log", "KVTrun.bad"}));
      EXPECT_EQ(folder.Journals.count("KVTrun.log"), 0u);
      EXPECT_TRUE(folder.Journals["KVTrun.bad"] == planted);
      EXPECT_EQ(folder.State(), before);
      // The only rename was the journal's own.
      EXPECT_EQ(folder.RenameCalls,
                (std::vector<std::pair<std::string, std::string>>{{"KVTrun.log", "KVTrun.bad"}}));
    }
  }

  // What the run writes is read: a subfolder's name, a full path on a
  // drive or a share, the drive's root, and names that only look odd.
  const std::vector<std::string> folders = {root, "C:\\", "\\\\srv\\share", "\\\\srv\\share\\a b",
                                            "D:\\写真\\2024"};
  for (const std::string& f : folders) {
    SCOPED_TRACE(f);
    Journal journal;
    EXPECT_TRUE(ParseJournal(
        Header(f) + Steps({{"a.txt", "sub\\..a.txt"}, {"~KVT1_b", "b"}}) + "S\tc\td\tc7\nF\nE\n",
        journal));
    ASSERT_EQ(journal.StepCount(), 3u);
    EXPECT_EQ(journal.Step(2).Identity, "c7");
    EXPECT_TRUE(journal.Step(2).Failed);
  }
}

// The issue's own planted step into a subfolder stays inside the folder,
// and even so nothing moves until the user says yes; no keeps the journal
// for a later start.
TEST(JournalTrust, RecoveryAsksWithTheFolderAndTheFileCountBeforeMovingAnything) {
  const std::string root(MemoryFolder::Root);
  MemoryFolder folder = PlantedFolder();
  folder.Remove("sub\\x.txt");
  const std::map<std::string, int> before = folder.State();
  folder.Journals[kPaths.Run] =
      Header(root) + Steps({{"sub\\x.txt", "victim.txt"}, {"a.txt", "pulled.txt"}});
  std::vector<std::string> questions;
  bool answer = false;
  const auto ask = [&](const std::string& question) {
    questions.push_back(question);
    return answer;
  };
  EXPECT_EQ(RecoverInterrupted(folder, kPaths, ask).Told, "");
  EXPECT_EQ(folder.State(), before);
  EXPECT_EQ(folder.Journals.count(kPaths.Run), 1u);
  EXPECT_FALSE(CanUndo(folder, kPaths));
  answer = true;
  const Recovery recovery = RecoverInterrupted(folder, kPaths, ask);
  ASSERT_EQ(questions.size(), 2u);
  EXPECT_EQ(questions[0], questions[1]);  // asked again at the next start
  EXPECT_EQ(
      questions[0],
      "前回のファイル名の変換は、途中で止まっていました。\n\nC:\\run\nの2個のファイルを、"
      "変換前の名前に戻しますか？\n\n「いいえ」のときは何も動かさず、次の起動でもう一度尋ねます。"
      "\n\nこの記録ファイルは以前の版が書いたもので、ファイルが変換したときと同じものかを確かめられません。");
  EXPECT_EQ(folder.State(), (std::map<std::string, int>{{"sub\\x.txt", 1},
                                                        {"a.txt", 2},
                                                        {"..\\elsewhere\\stolen.txt", 4},
                                                        {"C:\\elsewhere\\stolen.txt", 5}}));
  EXPECT_NE(recovery.Told.find("2個のファイルを、変換前の名前に戻しました。"), std::string::npos);
  EXPECT_EQ(folder.Journals.count(kPaths.Run), 0u);
}

// After the run another program renames p2 to moved and p3 to p2: the undo
// gives p1 back its name, skips today's p2 (another file) and the gone p3,
// and lists both. A journal without identities (an earlier version's, or a
// file system that cannot tell files apart) trusts names as before. A run
// cut off and rolled back at the next start checks the same.
TEST(JournalTrust, UndoAndRecoverySkipAFileWhoseNameAnotherFileHoldsNow) {
  const std::string root(MemoryFolder::Root);
  struct Case {
    bool identities;
    bool cutOff;
    std::map<std::string, int> after;
    std::string report;
  };
  const std::vector<Case> cases = {
      {true,
       false,
       {{"a.txt", 1}, {"moved.txt", 2}, {"p2.txt", 3}},
       "2個のファイルは、元の名前に戻せませんでした。\n\n"
       "p3.txt → c.txt：ファイルが見つかりません。\n"
       "p2.txt → b.txt：変換の後で、別のファイルに置き換わっています。"},
      {false,
       false,
       {{"a.txt", 1}, {"moved.txt", 2}, {"b.txt", 3}},
       "1個のファイルは、元の名前に戻せませんでした。\n\n"
       "p3.txt → c.txt：ファイルが見つかりません。"},
      {true, true, {{"a.txt", 1}, {"moved.txt", 2}, {"p2.txt", 3}}, ""},
      {false, true, {{"a.txt", 1}, {"moved.txt", 2}, {"b.txt", 3}}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.identities ? "identities" : "names only") +
                 (c.cutOff ? ", cut off" : ", undone"));
    MemoryFolder folder;
    folder.Identities = c.identities;
    for (const auto& [name, content] : {std::pair{"a.txt", 1}, {"b.txt", 2}, {"c.txt", 3}}) {
      folder.Add(name, content);
    }
    std::unique_ptr<JournalWriter> journal = folder.CreateJournal(kPaths.Run);
    journal->Append(Header(root));
    ExecuteMoves(folder, root, {{"a.txt", "p1.txt"}, {"b.txt", "p2.txt"}, {"c.txt", "p3.txt"}},
                 *journal, [](std::size_t) {});
    if (!c.cutOff) journal->Append(JournalEndLine);
    folder.Rename("p2.txt", "moved.txt");
    folder.Rename("p3.txt", "p2.txt");
    if (c.cutOff) {
      RecoverInterrupted(folder, kPaths, [](const std::string&) { return true; });
    } else {
      ASSERT_TRUE(CanUndo(folder, kPaths));
      const UndoResult undone = UndoLastRun(folder, kPaths);
      EXPECT_EQ(undone.Restored, c.identities ? 1 : 2);
      EXPECT_EQ(UndoFailureReportText(undone.FailureCount, undone.FirstFailures), c.report);
    }
    EXPECT_EQ(folder.State(), c.after);
    EXPECT_TRUE(folder.Journals.empty());
  }
}

// Stopped halfway, the undo keeps the rest of the run undoable: a second
// undo brings every file back, and the confirmation counts only the rest.
TEST(JournalTrust, AStoppedUndoLeavesTheFilesNotReachedUndoable) {
  const std::string root(MemoryFolder::Root);
  MemoryFolder folder;
  std::vector<Move> moves;
  for (int i = 1; i <= 6; ++i) {
    folder.Add("f" + std::to_string(i) + ".txt", i);
    moves.push_back({"f" + std::to_string(i) + ".txt", "p" + std::to_string(i) + ".txt"});
  }
  const std::map<std::string, int> before = folder.State();
  std::unique_ptr<JournalWriter> journal = folder.CreateJournal(kPaths.Run);
  journal->Append(Header(root));
  ExecuteMoves(folder, root, moves, *journal, [](std::size_t) {});
  journal->Append(JournalEndLine);
  ASSERT_EQ(UndoableRun(folder, kPaths)->Files, 6u);
  EXPECT_EQ(UndoableRun(folder, kPaths)->Folder, root);

  const std::size_t renamedByTheRun = folder.Renamed.size();
  std::vector<std::size_t> shown;
  UndoProgress progress;
  progress.Show = [&](std::size_t done, std::size_t, const std::string&) { shown.push_back(done); };
  progress.StopRequested = [&] { return folder.Renamed.size() >= renamedByTheRun + 2; };
  const UndoResult first = UndoLastRun(folder, kPaths, progress);
  EXPECT_TRUE(first.Stopped);
  EXPECT_EQ(first.FailureCount, 0);
  EXPECT_EQ(first.Restored, 2);
  EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
  ASSERT_TRUE(CanUndo(folder, kPaths));
  EXPECT_EQ(UndoableRun(folder, kPaths)->Files, 6u - static_cast<std::size_t>(first.Restored));
  const UndoResult second = UndoLastRun(folder, kPaths);
  EXPECT_EQ(first.Restored + second.Restored, 6);
  EXPECT_EQ(folder.State(), before);
  EXPECT_FALSE(CanUndo(folder, kPaths));
}

}  // namespace
}  // namespace korvath
