// The journals' life from the first question to the last file home: one
// Korvath a journal, no journal replaced or removed while a file it lists
// is not home, and nothing in a journal's folder touched before the user
// has answered.

#include <gtest/gtest.h>

#include <algorithm>
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

using testing::Bench;
using testing::MemoryFolder;

const JournalPaths kPaths = JournalPathsBeside("KVTset.ini");
const std::string kRoot(MemoryFolder::Root);

std::string Journal(std::string_view folder, const std::vector<Move>& steps, bool ended,
                    std::string_view kind = JournalRunKind) {
  std::string text = JournalHeader(kind, folder);
  for (const Move& step : steps) text += JournalStepLine(step.From, step.To, step.Identity);
  if (ended) text += JournalEndLine;
  return text;
}

// The window's run in Root, with both journals: p1..p3 checked, to be
// renamed q1..q3.
RenameRunResult RunInRoot(Bench& b) {
  if (b.session.Files.empty()) b.List({{"p1.txt", true}, {"p2.txt", true}, {"p3.txt", true}});
  b.fields.Prefix = "q";
  return RunRename(b.session, b.preview, b.folder, b.observer,
                   RenamePlace{kRoot, kPaths.Run, kPaths.Undo});
}

// Another Korvath renaming in Root holds its journal: this one's start
// neither offers a roll-back nor touches the journal, and its own Execute
// and Undo refuse, naming the folder, until the other is done. The same
// for a live undo's journal.
TEST(JournalLife, AnotherKorvathsLiveJournalIsNeitherRolledBackNorReplaced) {
  for (const std::string* live : {&kPaths.Run, &kPaths.Undo}) {
    SCOPED_TRACE(*live);
    Bench b;
    b.folder.Add("q1.txt", 7);  // the other's run: a -> q1 so far
    const std::string text =
        Journal(kRoot, {{"a.txt", "q1.txt", "c7"}}, false,
                live == &kPaths.Run ? JournalRunKind : JournalUndoKind);
    b.folder.Journals[*live] = text;
    b.folder.Elsewhere.insert(*live);
    const std::string busy = FormatText(kTextJournalBusy, {kRoot});

    int asked = 0;
    EXPECT_TRUE(RecoveryWaits(b.folder, kPaths));
    const Recovery recovery =
        RecoverInterrupted(b.folder, kPaths, [&](const std::string&) { return ++asked, true; });
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(recovery.Busy);
    EXPECT_EQ(recovery.Told, busy);
    EXPECT_TRUE(recovery.SetAside.empty());

    const RenameRunResult run = RunInRoot(b);
    EXPECT_TRUE(run.Refused);
    EXPECT_EQ(b.observer.Asks, 0);
    EXPECT_EQ(b.observer.Boxes, std::vector<std::string>{busy});
    EXPECT_TRUE(b.folder.Has("p1.txt"));
    EXPECT_EQ(b.folder.Journals[*live], text);
    EXPECT_EQ(b.folder.Journals.count(live == &kPaths.Run ? kPaths.Undo : kPaths.Run), 0u);

    // Finished, and still held: no undo until the other lets go of it.
    b.folder.Journals[*live] += JournalEndLine;
    const UndoResult undo = UndoLastRun(b.folder, kPaths);
    if (live == &kPaths.Run) {
      EXPECT_TRUE(undo.Busy);
      EXPECT_EQ(undo.BusyText, busy);
    }
    EXPECT_FALSE(undo.Done);
    EXPECT_TRUE(b.folder.Has("q1.txt"));
    UndoAvailability menu;
    EXPECT_FALSE(menu.Check(b.folder, kPaths));
    b.folder.Elsewhere.clear();
    EXPECT_EQ(menu.Check(b.folder, kPaths).has_value(), live == &kPaths.Run);
  }
}

// A run cut off and kept (the card not in, or No) is all that records a
// file left under a temporary name: a run in another folder refuses,
// naming the first folder, and leaves it as it is, until it is rolled back.
TEST(JournalLife, AKeptUnfinishedJournalIsNeverReplacedByARunElsewhere) {
  const std::string card = "E:\\DCIM";  // not there: the card is out
  for (const bool undo : {false, true}) {
    SCOPED_TRACE(undo);
    Bench b;
    const std::string& path = undo ? kPaths.Undo : kPaths.Run;
    const std::string text = Journal(card, {{"p10.txt", "~KVT1_p10.txt", "c1"}}, false,
                                     undo ? JournalUndoKind : JournalRunKind);
    b.folder.Journals[path] = text;

    for (const bool yes : {false, true}) {
      const Recovery recovery =
          RecoverInterrupted(b.folder, kPaths, [&](const std::string&) { return yes; });
      EXPECT_EQ(recovery.Told, yes ? FormatText(kTextJournalFolderUnreachable, {card}) : "");
      EXPECT_EQ(b.folder.Journals[path], text);
    }
    const RenameRunResult run = RunInRoot(b);
    EXPECT_TRUE(run.Refused);
    EXPECT_EQ(b.observer.Asks, 0);
    ASSERT_EQ(b.observer.Boxes.size(), 1u);
    EXPECT_EQ(b.observer.Boxes[0], FormatText(kTextJournalWaiting, {card}));
    EXPECT_EQ(b.folder.Journals[path], text);
    EXPECT_TRUE(b.folder.Has("p1.txt"));
    EXPECT_FALSE(CanUndo(b.folder, kPaths));
  }
}

// A share that drops once a file has stepped aside: nothing after that
// step is carried out.
class DroppingShare : public MemoryFolder {
 public:
  bool Dropped = false;
  bool Rename(const std::string& from, const std::string& to) override {
    if (Dropped) return false;
    const bool renamed = MemoryFolder::Rename(from, to);
    if (renamed && std::string(Local(to)).rfind(TemporaryNameMark, 0) == 0) Dropped = DropAfterAside;
    return renamed;
  }
  bool DropAfterAside = true;
};

// A swap on a share that drops after the first file went aside: the run
// renamed nothing, yet its journal stays for the file under the temporary
// name, the report says where it is, and the undo brings it home. The same
// when the undo's own swap is the one cut: the run's journal keeps the
// file, with where it now is, and a second undo finishes.
TEST(JournalLife, AStrandedSwapKeepsItsJournalUntilTheFileIsHome) {
  {
    testing::FakeFields fields;
    DroppingShare share;
    testing::RecordingObserver observer{&share};
    RenameSession session{fields};
    PreviewRows preview;
    // x2 -> x1 and x1 -> x2: a cycle, one of them aside first.
    fields.Prefix = "x";
    share.Add("x1.txt", 1);
    share.Add("x2.txt", 2);
    session.Files = {{"x2.txt", true}, {"x1.txt", true}};
    session.StartNumber = 1;
    session.DigitCount = 1;
    session.RefreshPreview(preview);
    const RenameRunResult run =
        RunRename(session, preview, share, observer, RenamePlace{kRoot, kPaths.Run, kPaths.Undo});
    EXPECT_EQ(run.CompletedCount, 0);
    EXPECT_EQ(run.Failures, 2);
    const std::map<std::string, int> state = share.State();
    ASSERT_EQ(state.size(), 2u);
    const std::string aside = state.begin()->first == "x1.txt" ? std::prev(state.end())->first
                                                               : state.begin()->first;
    ASSERT_EQ(aside.rfind(TemporaryNameMark, 0), 0u) << aside;
    ASSERT_EQ(observer.Boxes.size(), 1u);
    EXPECT_NE(observer.Boxes[0].find(aside), std::string::npos) << observer.Boxes[0];
    ASSERT_EQ(share.Journals.count(kPaths.Run), 1u);
    const std::optional<UndoSummary> summary = UndoableRun(share, kPaths);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->Files, 1u);

    share.Dropped = false;
    share.DropAfterAside = false;
    const UndoResult undo = UndoLastRun(share, kPaths);
    EXPECT_EQ(undo.Restored, 1);
    EXPECT_EQ(share.State(), (std::map<std::string, int>{{"x1.txt", 1}, {"x2.txt", 2}}));
    EXPECT_TRUE(share.Journals.empty());
  }
  {
    DroppingShare share;
    share.DropAfterAside = false;
    share.Add("a.txt", 1);
    share.Add("b.txt", 2);
    std::unique_ptr<JournalWriter> journal = share.CreateJournal(kPaths.Run);
    journal->Append(JournalHeader(JournalRunKind, kRoot));
    ExecuteMoves(share, kRoot, {{"a.txt", "b.txt"}, {"b.txt", "a.txt"}}, *journal,
                 [](std::size_t) {});
    journal->Append(JournalEndLine);
    ASSERT_EQ(share.State(), (std::map<std::string, int>{{"a.txt", 2}, {"b.txt", 1}}));

    share.DropAfterAside = true;
    const UndoResult cut = UndoLastRun(share, kPaths);
    EXPECT_EQ(cut.Restored, 0);
    EXPECT_EQ(cut.Kept, 2);
    EXPECT_EQ(cut.FailureCount, 2);
    EXPECT_EQ(share.Journals.count(kPaths.Undo), 0u);
    ASSERT_TRUE(CanUndo(share, kPaths));
    EXPECT_EQ(UndoableRun(share, kPaths)->Files, 2u);

    share.Dropped = false;
    share.DropAfterAside = false;
    const UndoResult second = UndoLastRun(share, kPaths);
    EXPECT_EQ(second.FailureCount, 0);
    EXPECT_EQ(share.State(), (std::map<std::string, int>{{"a.txt", 1}, {"b.txt", 2}}));
    EXPECT_FALSE(CanUndo(share, kPaths));
    EXPECT_TRUE(share.Journals.empty());
  }
}

bool TouchedUnder(const std::vector<std::string>& touched, const std::string& folder) {
  return std::any_of(touched.begin(), touched.end(), [&](const std::string& path) {
    return path.rfind(folder, 0) == 0;
  });
}

// A journal planted beside the settings of a downloaded folder names a
// stranger's share: nothing there is looked at before the question (which
// names it and says the files cannot be checked), nor at all after a No,
// nor by the File menu, which reads the journal once. After a yes, a step
// through a folder that is a link, or one naming a folder, moves nothing.
TEST(JournalLife, APlantedJournalTouchesNothingBeforeTheAnswerNorThroughALink) {
  const std::string share = "\\\\host\\share";
  MemoryFolder folder;
  folder.Journals[kPaths.Run] = Journal(share, {{"a.txt", "b.txt"}}, false);
  std::vector<std::string> question;
  std::vector<std::string> touchedWhenAsked;
  const auto ask = [&](const std::string& text) {
    question.push_back(text);
    touchedWhenAsked = folder.Touched;
    return false;
  };
  RecoverInterrupted(folder, kPaths, ask);
  ASSERT_EQ(question.size(), 1u);
  EXPECT_NE(question[0].find(share), std::string::npos);
  EXPECT_NE(question[0].find(Text(kTextJournalWithoutIdentities)), std::string::npos);
  EXPECT_FALSE(TouchedUnder(folder.Touched, share));

  // Finished: the start-up reads it (asking nothing) for the File menu,
  // which does not read it again.
  folder.Journals[kPaths.Run] = Journal(share, {{"a.txt", "b.txt"}}, true);
  const Recovery start = RecoverInterrupted(folder, kPaths, ask);
  EXPECT_EQ(question.size(), 1u);
  ASSERT_TRUE(start.LastRunKnown);
  UndoAvailability menu;
  menu.Know(folder, kPaths, start.LastRun);
  for (int opening = 0; opening < 3; ++opening) {
    const std::optional<UndoSummary> undo = menu.Check(folder, kPaths);
    ASSERT_TRUE(undo);
    EXPECT_TRUE(undo->WithoutIdentities);
  }
  EXPECT_EQ(std::count(folder.Touched.begin(), folder.Touched.end(), kPaths.Run), 2)
      << "the File menu reads the journal again";  // the two start-ups only
  EXPECT_FALSE(TouchedUnder(folder.Touched, share));

  // In Root, docs is a link to another folder: its secret stays there, the
  // stranger's file stays out; a step naming the folder sub moves no folder.
  folder.Links.insert(MemoryFolder::Key("docs"));
  folder.AddFolder("docs");
  folder.Add("docs\\secret.txt", 1);
  folder.Add("evil.bat", 2);
  folder.AddFolder("sub");
  const std::map<std::string, int> before = folder.State();
  folder.Journals[kPaths.Run] = Journal(
      kRoot, {{"secret.txt", "docs\\secret.txt", "c1"}, {"docs\\x.bat", "evil.bat", "c2"},
              {"gone", "sub", "c3"}},
      false);
  const Recovery recovery = RecoverInterrupted(folder, kPaths, [](const std::string&) { return true; });
  EXPECT_EQ(folder.State(), before);
  EXPECT_TRUE(folder.Has("sub"));
  EXPECT_NE(recovery.Told.find(Text(kTextRecoveryKept)), std::string::npos) << recovery.Told;
  EXPECT_EQ(folder.Journals.count(kPaths.Run), 1u);
}

}  // namespace
}  // namespace korvath
