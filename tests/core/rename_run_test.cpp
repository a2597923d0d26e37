#include "RenameRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "FileNames.h"
#include "PreviewRows.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "SequenceNumber.h"
#include "RenameUndo.h"
#include "StagedMoves.h"
#include "TakenNames.h"
#include "TestDoubles.h"

namespace korvath {
namespace {

using testing::FakeFields;
using testing::MemoryFolder;
using testing::PowerCut;
using testing::RecordingObserver;
using testing::Bench;


TEST(RenameRun, NoToTheQuestionChangesNothing) {
  Bench b;
  b.List({{"a.txt", true}, {"b.txt", true}});
  b.fields.Prefix = "n";
  b.observer.Answer = false;
  const RenameRunResult result = b.Run();
  EXPECT_FALSE(result.Confirmed);
  EXPECT_EQ(b.observer.LastAskText, ConfirmRenameText);
  EXPECT_EQ(b.observer.LastAskCaption, "情報");
  EXPECT_EQ(b.observer.Events, std::vector<std::string>{"ask"});
  EXPECT_EQ(b.folder.ListCalls, 0);
  EXPECT_TRUE(b.folder.Has("a.txt") && b.folder.Has("b.txt"));
  EXPECT_EQ(b.session.StartNumber, 1);
  EXPECT_TRUE(b.session.Files[0].Checked && b.session.Files[1].Checked);
  EXPECT_EQ(b.preview.GetState(), PreviewRows::State::Rows);
}

TEST(RenameRun, RenamesCheckedFilesInListOrderAndRereads) {
  Bench b;
  b.List({{"a.bmp", true}, {"b.png", false}, {"c.gif", true}, {"d", true}});
  b.fields.Prefix = "img_";
  b.session.DigitCount = 3;
  b.session.StartNumber = 5;
  const RenameRunResult result = b.Run();

  EXPECT_TRUE(result.Confirmed);
  EXPECT_EQ(result.CompletedCount, 3);
  // The names held are read with one listing, not a lookup per file.
  EXPECT_EQ(b.folder.ListCalls, 1);
  EXPECT_TRUE(b.folder.ExistsCalls.empty());
  EXPECT_EQ(b.folder.Renamed,
            (std::vector<std::pair<std::string, std::string>>{
                {"a.bmp", "img_005.bmp"}, {"c.gif", "img_006.gif"}, {"d", "img_007"}}));
  EXPECT_EQ(b.session.StartNumber, 8);
  EXPECT_EQ(
      b.observer.Events,
      (std::vector<std::string>{"ask", "beep", "start 006", "count 1個完了", "beep", "start 007",
                                "count 2個完了", "beep", "start 008", "count 3個完了", "reread"}));
  // The re-read list replaces Files, nothing checked.
  ASSERT_EQ(b.session.Files.size(), 4u);
  for (const FileEntry& f : b.session.Files) EXPECT_FALSE(f.Checked) << f.Name;
  EXPECT_EQ(b.session.Files[0].Name, "b.png");
  EXPECT_EQ(b.preview.GetState(), PreviewRows::State::Completed);
  EXPECT_EQ(b.preview.Cell(1, 0), " (変更完了)");
  EXPECT_FALSE(b.preview.ExecuteEnabled());
}

TEST(RenameRun, CollisionIsWarnedAndUsesUpItsNumber) {
  Bench b;
  b.List({{"a.txt", true}, {"b.png", true}, {"c.txt", true}, {"N2.PNG", false}});
  b.fields.Prefix = "n";
  const RenameRunResult result = b.Run();
  // b.png would become n2.png, taken by N2.PNG (letter case ignored): it
  // keeps its name, and c.txt still gets the name the preview showed.
  EXPECT_EQ(b.observer.Warnings, std::vector<std::string>{"n2.png"});
  EXPECT_EQ(b.observer.LastWarnText, CollisionText);
  EXPECT_EQ(b.observer.LastWarnCaption, "警告");
  EXPECT_EQ(result.Collisions, 1);
  EXPECT_EQ(b.folder.ContentOf("b.png"), 2);
  EXPECT_EQ(b.folder.ContentOf("n2.png"), 4);
  EXPECT_EQ(b.folder.ContentOf("n1.txt"), 1);
  EXPECT_EQ(b.folder.ContentOf("n3.txt"), 3);
  EXPECT_EQ(b.observer.Counts.back(), "2個完了");
  EXPECT_EQ(b.session.StartNumber, 4);
  EXPECT_EQ(b.observer.StartNumbers, (std::vector<std::string>{"2", "4"}));
}

TEST(RenameRun, AFileAlreadyUnderItsNewNameStaysAndOnlyItsLetterCaseIsARename) {
  // Renumbering in name order: p1.txt keeps its name, p10..p3 move up one
  // by one, P5.TXT only changes its letter case.
  Bench b;
  b.List({{"p1.txt", true}, {"p10.txt", true}, {"p2.txt", true}, {"p3.txt", true},
          {"P5.TXT", true}});
  b.fields.Prefix = "p";
  b.session.RefreshPreview(b.preview);
  EXPECT_EQ(b.preview.MarkedCount(), 0u);
  EXPECT_EQ(b.preview.Cell(1, 0), "p1.txt");
  EXPECT_EQ(b.preview.Cell(1, 4), "p5.TXT");
  const RenameRunResult result = b.Run();
  EXPECT_TRUE(b.observer.Warnings.empty());
  EXPECT_EQ(result.Collisions, 0);
  EXPECT_EQ(result.Failures, 0);
  EXPECT_EQ(result.CompletedCount, 5);
  EXPECT_EQ(b.observer.Counts.back(), "5個完了");
  EXPECT_EQ(b.session.StartNumber, 6);
  // No step for p1.txt; the letter case changes by way of a temporary name.
  EXPECT_EQ(b.folder.Renamed,
            (std::vector<std::pair<std::string, std::string>>{{"p3.txt", "p4.txt"},
                                                              {"p2.txt", "p3.txt"},
                                                              {"p10.txt", "p2.txt"},
                                                              {"P5.TXT", "~KVT1_P5.TXT"},
                                                              {"~KVT1_P5.TXT", "p5.TXT"}}));
  EXPECT_EQ(b.folder.ContentOf("p1.txt"), 1);
  EXPECT_EQ(b.folder.ContentOf("p2.txt"), 2);
  EXPECT_EQ(b.folder.ContentOf("p5.txt"), 5);
}

TEST(RenameRun, RefusedRenamesAreReportedInOneBoxAfterTheRun) {
  Bench b;
  b.List({{"a.txt", true}, {"g1.txt", true}, {"c.txt", true}, {"g2.txt", true}, {"g3.txt", true},
          {"g4.txt", true}, {"g5.txt", true}, {"g6.txt", true}});
  for (int i = 1; i <= 6; ++i) b.folder.Remove("g" + std::to_string(i) + ".txt");  // vanished
  const RenameRunResult result = b.Run();
  EXPECT_EQ(result.Failures, 6);
  EXPECT_TRUE(b.observer.Warnings.empty());
  EXPECT_EQ(b.folder.ContentOf("1.txt"), 1);
  EXPECT_EQ(b.folder.ContentOf("3.txt"), 3);
  EXPECT_EQ(b.observer.Counts, (std::vector<std::string>{"1個完了", "2個完了"}));
  EXPECT_EQ(b.session.StartNumber, 9);
  ASSERT_EQ(b.observer.Boxes.size(), 1u);
  EXPECT_EQ(b.observer.Boxes[0],
            "6個のファイルは、名前を変更できませんでした。\n\n"
            "g1.txt → 2.txt：refused\ng2.txt → 4.txt：refused\ng3.txt → 5.txt：refused\n"
            "g4.txt → 6.txt：refused\ng5.txt → 7.txt：refused\nほか1個");
  EXPECT_EQ(b.observer.LastWarnCaption, "警告");
  // The report comes after the last rename and before the re-read.
  EXPECT_EQ(b.observer.Events.end()[-2], "box");
  EXPECT_EQ(b.observer.Events.back(), "reread");
}

TEST(RenameRun, NamesLeavingTheFolderOrHoldingBadCharactersAreRefusedBeforeAsking) {
  const std::string leaves = std::string(LeavesFolderText);
  struct Case {
    const char* prefix;
    const char* suffix;
    const char* extension;
    std::string box;  // empty: the run goes ahead
  };
  const Case cases[] = {
      {"C:", "", ".txt", leaves},
      {"\\", "", ".txt", leaves},
      {"\\srv\\s\\", "", ".txt", leaves},
      {"..\\", "", ".txt", leaves},
      {"sub\\..\\..\\", "", ".txt", leaves},
      {"", "/.. ", "", leaves},
      {"x", "\\...\\y", ".txt", leaves},
      {"*", "", ".txt", BadCharactersText("*")},
      {"?a*", "<", ".t>xt", BadCharactersText("? * < >")},
      {"ab:c", "|", "\"", BadCharactersText(": | \"")},
      {"tab\t", "", ".txt", BadCharactersText("制御文字")},
      {"C:\\", "*", ".txt", leaves},  // one box, the graver one
      // Allowed: subfolders, dots inside names, and characters of any
      // script (表 and ポ end in the bytes of "\\" and "|" in Shift-JIS).
      {"sub\\", "", Text(kTextKeepExtension).data(), ""},
      {"./..a", ".", ".txt", ""},
      {"表ポ", "", ".txt", ""},
      {"café_", "😀", ".한글", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.prefix) + "|" + c.suffix + "|" + c.extension);
    Bench b;
    b.List({{"a.txt", true}, {"b.dat", true}});
    b.fields.Prefix = c.prefix;
    b.fields.Suffix = c.suffix;
    b.fields.Extension = c.extension;
    b.observer.Answer = false;
    const RenameRunResult result = b.Run();
    if (c.box.empty()) {
      EXPECT_FALSE(result.Refused);
      EXPECT_TRUE(b.observer.Boxes.empty());
      EXPECT_EQ(b.observer.Asks, 1);
      continue;
    }
    EXPECT_TRUE(result.Refused);
    EXPECT_FALSE(result.Confirmed);
    EXPECT_EQ(b.observer.Boxes, std::vector<std::string>{c.box});
    EXPECT_EQ(b.observer.LastWarnCaption, "警告");
    EXPECT_EQ(b.observer.Asks, 0);
    EXPECT_TRUE(b.folder.RenameCalls.empty());
    EXPECT_EQ(b.session.StartNumber, 1);
    EXPECT_EQ(b.preview.GetState(), PreviewRows::State::Rows);
  }
}

TEST(RenameRun, NumberStopsAtTheLimit) {
  Bench b;
  b.List({{"a.bmp", true}, {"b.png", true}, {"c.bmp", true}, {"d.gif", true}});
  b.session.StartNumber = RenameSession::MaxStartNumber;
  b.fields.Extension = KeepExtension;
  const RenameRunResult result = b.Run();
  // Every file is offered 2000000000; only new extensions get through.
  EXPECT_EQ(
      b.folder.Renamed,
      (std::vector<std::pair<std::string, std::string>>{
          {"a.bmp", "2000000000.bmp"}, {"b.png", "2000000000.png"}, {"d.gif", "2000000000.gif"}}));
  EXPECT_EQ(b.observer.Warnings, std::vector<std::string>{"2000000000.bmp"});
  EXPECT_EQ(result.CompletedCount, 3);
  EXPECT_EQ(b.session.StartNumber, RenameSession::MaxStartNumber);
  EXPECT_EQ(b.observer.StartNumbers.back(), "2000000000");
}

TEST(RenameRun, NothingCheckedStillAsksRereadsAndCompletes) {
  Bench b;
  b.List({{"a", false}});
  const RenameRunResult result = b.Run();
  EXPECT_TRUE(result.Confirmed);
  EXPECT_EQ(b.observer.Events, (std::vector<std::string>{"ask", "reread"}));
  EXPECT_EQ(b.preview.GetState(), PreviewRows::State::Completed);
}

TEST(RenameRun, RenumberingInPlaceDeliversThePreviewWithoutWarnings) {
  struct Case {
    std::vector<std::pair<const char*, bool>> files;
    int start;
    std::map<std::string, int> expected;  // name -> content (1-based list position)
    int warnings;
  };
  const Case cases[] = {
      // Shift up, shift down.
      {{{"p1.jpg", true}, {"p2.jpg", true}, {"p3.jpg", true}, {"p4.jpg", true}, {"p5.jpg", true}},
       2,
       {{"p2.jpg", 1}, {"p3.jpg", 2}, {"p4.jpg", 3}, {"p5.jpg", 4}, {"p6.jpg", 5}},
       0},
      {{{"p2.jpg", true}, {"p3.jpg", true}, {"p4.jpg", true}},
       1,
       {{"p1.jpg", 1}, {"p2.jpg", 2}, {"p3.jpg", 3}},
       0},
      // p3 -> p5 is held by a file outside the run, so p3 stays, and with it
      // p1 -> p3; p2 -> p4 goes through. Each stays with one warning.
      {{{"p1.jpg", true}, {"p2.jpg", true}, {"p3.jpg", true}, {"p5.jpg", false}},
       3,
       {{"p1.jpg", 1}, {"p4.jpg", 2}, {"p3.jpg", 3}, {"p5.jpg", 4}},
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    Bench b;
    b.List(c.files);
    b.fields.Prefix = "p";
    b.session.StartNumber = c.start;
    const RenameRunResult result = b.Run();
    EXPECT_EQ(b.folder.State(), c.expected);
    EXPECT_EQ(result.Collisions, c.warnings);
    EXPECT_EQ(result.Failures, 0);
    // One rename a file, each chain from its free end.
    EXPECT_EQ(b.folder.Renamed.size(), static_cast<std::size_t>(result.CompletedCount));
    if (c.start == 2) {
      EXPECT_EQ(b.folder.Renamed.front(),
                (std::pair<std::string, std::string>{"p5.jpg", "p6.jpg"}));
    }
  }

  // A rotation through temporary names, then its undo from the journal.
  MemoryFolder folder;
  folder.Add("a", 1);
  folder.Add("b", 2);
  folder.Add("c", 3);
  std::unique_ptr<JournalWriter> journal = folder.CreateJournal("j");
  journal->Append(JournalHeader(JournalRunKind, MemoryFolder::Root));
  std::vector<Move> moves = {{"a", "b"}, {"b", "c"}, {"c", "a"}};
  int done = 0;
  ExecuteMoves(folder, "", moves, *journal, [&](std::size_t) { ++done; });
  EXPECT_EQ(done, 3);
  EXPECT_EQ(folder.State(), (std::map<std::string, int>{{"b", 1}, {"c", 2}, {"a", 3}}));
  Journal read;
  ASSERT_TRUE(ParseJournal(folder.Journals["j"], read));
  // One aside, two straight on, one in from aside.
  ASSERT_EQ(read.StepCount(), 4u);
  EXPECT_EQ(read.Step(0).From, "a");
  EXPECT_EQ(read.Step(0).To.rfind(TemporaryNameMark, 0), 0u);
  EXPECT_EQ(read.Step(3).To, "b");
  std::vector<Move> back;
  for (const Move& file : NetMoves(read)) back.push_back({file.To, file.From});
  EXPECT_EQ(NetMoves(read), (std::vector<Move>{{"a", "b"}, {"c", "a"}, {"b", "c"}}));
  journal = folder.CreateJournal("k");
  ExecuteMoves(folder, "", back, *journal, [](std::size_t) {});
  EXPECT_EQ(folder.State(), (std::map<std::string, int>{{"a", 1}, {"b", 2}, {"c", 3}}));
}

// The run, or its undo, cut off after each possible step (a crash or a
// power loss), and the next start: the folder is either as before or fully
// renamed, every file's content intact; a completed run can be undone
// exactly once.
TEST(RenameRecovery, CutOffAtAnyStepIsRolledBackAtTheNextStart) {
  const JournalPaths paths = JournalPathsBeside("KVTset.ini");
  const auto yes = [](const std::string&) { return true; };
  const std::map<std::string, int> before = {{"p1.jpg", 1}, {"p2.jpg", 2}, {"p3.jpg", 3},
                                             {"p4.jpg", 4}, {"p6.jpg", 5}, {"x.txt", 6}};
  const std::map<std::string, int> renamed = {{"p2.jpg", 1}, {"p3.jpg", 2}, {"p4.jpg", 3},
                                              {"p5.jpg", 4}, {"p6.jpg", 5}, {"p6.txt", 6}};
  // p1-p4 shift up through temporary names; x.txt goes straight to p6.txt.
  auto run = [&](Bench& b, int steps) {
    for (const auto& [name, content] : before) {
      b.folder.Add(name, content);
      b.session.Files.push_back({name, name != "p6.jpg"});
    }
    b.fields.Prefix = "p";
    b.session.StartNumber = 2;
    b.folder.StepsLeft = steps;
    bool cut = false;
    try {
      RunRename(b.session, b.preview, b.folder, b.observer,
                RenamePlace{std::string(MemoryFolder::Root), paths.Run});
    } catch (const PowerCut&) {
      cut = true;
    }
    b.folder.StepsLeft = -1;
    return cut;
  };

  int cutOffs = 0;
  for (int steps = 0;; ++steps) {
    SCOPED_TRACE(steps);
    Bench b;
    const bool cut = run(b, steps);
    const std::string told = RecoverInterrupted(b.folder, paths, yes).Told;
    if (b.folder.State() == renamed) {
      EXPECT_EQ(told, "");
      EXPECT_TRUE(CanUndo(b.folder, paths));
    } else {
      ASSERT_EQ(b.folder.State(), before);
      EXPECT_FALSE(CanUndo(b.folder, paths));
      // Told whenever a step had been journaled (the header is the first write).
      EXPECT_EQ(told.empty(), steps <= 1);
    }
    if (!cut) break;
    ++cutOffs;
  }
  EXPECT_GT(cutOffs, 10);  // header, 5 steps and their journal lines, end

  Bench done;
  ASSERT_FALSE(run(done, -1));
  for (int steps = 0;; ++steps) {
    SCOPED_TRACE(steps);
    MemoryFolder folder = done.folder;
    folder.StepsLeft = steps;
    bool cut = false;
    UndoResult undone;
    try {
      undone = UndoLastRun(folder, paths);
    } catch (const PowerCut&) {
      cut = true;
    }
    folder.StepsLeft = -1;
    RecoverInterrupted(folder, paths, yes);
    if (!cut) {
      EXPECT_EQ(undone.Restored, 5);
      EXPECT_EQ(undone.FailureCount, 0);
      EXPECT_EQ(folder.State(), before);
      EXPECT_FALSE(CanUndo(folder, paths));  // once only
      break;
    }
    if (folder.State() == before) {  // done, only its clearing away cut off
      EXPECT_FALSE(CanUndo(folder, paths));
      continue;
    }
    ASSERT_EQ(folder.State(), renamed);
    ASSERT_TRUE(CanUndo(folder, paths));
    EXPECT_EQ(UndoLastRun(folder, paths).Restored, 5);
    EXPECT_EQ(folder.State(), before);
  }
}

TEST(RenameUndo, SkipsFilesDeletedOrWhoseNameIsTakenAndReportsThem) {
  const JournalPaths paths = JournalPathsBeside("KVTset.ini");
  Bench b;
  b.List({{"a.txt", true}, {"b.txt", true}, {"c.txt", true}});
  b.fields.Prefix = "n";
  RunRename(b.session, b.preview, b.folder, b.observer,
            RenamePlace{std::string(MemoryFolder::Root), paths.Run});
  b.folder.Remove("n1.txt");  // deleted since
  b.folder.Add("b.txt", 9);   // old name taken since
  ASSERT_TRUE(CanUndo(b.folder, paths));
  const UndoResult undone = UndoLastRun(b.folder, paths);
  EXPECT_EQ(undone.Restored, 1);
  EXPECT_EQ(b.folder.State(), (std::map<std::string, int>{{"b.txt", 9}, {"c.txt", 3}, {"n2.txt", 2}}));
  EXPECT_EQ(UndoFailureReportText(undone.FailureCount, undone.FirstFailures),
            "2個のファイルは、元の名前に戻せませんでした。\n\n"
            "n2.txt → b.txt：同じ名前のファイルが、既に存在します。\n"
            "n1.txt → a.txt：ファイルが見つかりません。");
  EXPECT_FALSE(CanUndo(b.folder, paths));

  // A run into a subfolder comes back out of it.
  Bench sub;
  sub.folder.AddFolder("sub");
  sub.List({{"x.txt", true}, {"y.txt", true}});
  sub.fields.Prefix = "sub\\";
  RunRename(sub.session, sub.preview, sub.folder, sub.observer,
            RenamePlace{std::string(MemoryFolder::Root), paths.Run});
  ASSERT_EQ(sub.folder.State(), (std::map<std::string, int>{{"sub\\1.txt", 1}, {"sub\\2.txt", 2}}));
  EXPECT_EQ(UndoLastRun(sub.folder, paths).Restored, 2);
  EXPECT_EQ(sub.folder.State(), (std::map<std::string, int>{{"x.txt", 1}, {"y.txt", 2}}));
}

// A file system that misbehaves, each fault switched on by itself: refuses
// renames at random, claims names taken that are not, loses files between
// the listing and the rename, and lets other programs put files under
// names the run is about to give (the one asked for, or the one the last
// rename left free).
class FaultyFolder : public MemoryFolder {
 public:
  explicit FaultyFolder(unsigned seed) : random_(seed) {}

  bool Refusals = false, Phantoms = false, Vanishing = false, Intruders = false;

  bool ListNames(const std::string& folder, std::vector<std::string>& names) override {
    if (!MemoryFolder::ListNames(folder, names)) return false;
    const std::size_t real = names.size();
    for (std::size_t i = 0; Phantoms && i < real / 50; ++i) {
      names.push_back("p" + std::to_string(random_() % 5000) + ".dat");
    }
    return true;
  }
  bool Exists(const std::string& name) override {
    return MemoryFolder::Exists(name) || (Phantoms && Chance(0.5));
  }
  bool Rename(const std::string& from, const std::string& to) override {
    if (Vanishing && Has(from) && ContentOf(from) >= 0 && Chance(0.01)) {
      VanishedContents.push_back(ContentOf(from));
      Remove(from);
    }
    if (Intruders && Chance(0.01)) {
      const std::string name(Local(lastFreed_.empty() || Chance(0.5) ? to : lastFreed_));
      if (!Has(name) && name.rfind(TemporaryNameMark, 0) != 0) {
        Add(name, kIntruder + static_cast<int>(IntruderContents.size()));
        IntruderContents.push_back(ContentOf(name));
        IntrudedNames.insert(Key(name));
      }
    }
    if (Refusals && Chance(0.05)) {
      RenameCalls.push_back({from, to});
      return false;
    }
    const bool done = MemoryFolder::Rename(from, to);
    if (done) lastFreed_ = from;
    return done;
  }

  static constexpr int kIntruder = 1000000;
  std::vector<int> VanishedContents;
  std::vector<int> IntruderContents;
  std::set<std::string> IntrudedNames;  // keys

 private:
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
  std::mt19937 random_;
  std::string lastFreed_;
};

// A random batch in a folder already numbered the same way (so that new
// names are old names of other files, of the batch or not: in name order,
// p10 comes before p2, which makes chains and cycles), with folders and
// unchecked files in the way, previewed and then run.
struct FaultRun {
  struct Row {
    std::string Old, New;
    bool Marked;
    int Content;
  };

  FakeFields fields;
  FaultyFolder folder;
  RecordingObserver observer{&folder};
  RenameSession session{fields};
  PreviewRows preview;
  TakenNames taken;
  std::vector<Row> rows;
  std::vector<int> before;
  std::map<std::string, int> untouched;
  int start = 0;
  RenameRunResult result;

  // startNumber: -1 for a random one, at times near the limit. numbered:
  // every file p<i>.dat, and the same extension given.
  FaultRun(unsigned seed, int fileCount, bool numbered, int startNumber = -1) : folder(seed) {
    std::mt19937 random(seed * 7919u);
    const std::string extensions[] = {".dat", ".txt", ".DAT", ""};
    int content = 0;
    std::vector<std::string> names;
    for (int i = 0; i < fileCount; ++i) {
      const std::string name =
          numbered ? "p" + std::to_string(i) + ".dat"
                   : (random() % 4 != 0 ? "p" : "f") + std::to_string(i) + extensions[random() % 4];
      if (folder.Has(name)) continue;
      folder.Add(name, ++content);
      names.push_back(name);
    }
    // Numbered: every file checked but two past the end, in the way of a
    // few chains.
    for (int i = 0; numbered && i < 2; ++i) {
      const std::string name = "p" + std::to_string(fileCount + 1 + random() % 20) + ".dat";
      if (folder.Has(name)) continue;
      folder.Add(name, ++content);
      names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
      return MemoryFolder::Key(a) < MemoryFolder::Key(b);
    });
    for (const std::string& name : names) {
      const bool beyond = numbered && std::atoi(name.c_str() + 1) >= fileCount;
      session.Files.push_back({name, numbered ? !beyond : random() % 5 != 0});
    }
    // Folders beside the files, never in place of one listed: the run
    // renames files only.
    for (int i = 0; i < fileCount / 150; ++i) {
      const std::string name = "p" + std::to_string(random() % fileCount) + ".dat";
      if (!folder.Has(name)) folder.AddFolder(name);
    }
    fields.Prefix = "p";
    fields.Extension = random() % 2 && !numbered ? std::string(KeepExtension) : ".dat";
    session.StartNumber = random() % 3 == 0
                              ? RenameSession::MaxStartNumber - static_cast<int>(random() % 50)
                              : static_cast<int>(random() % (fileCount / 10));
    if (startNumber >= 0) session.StartNumber = startNumber;
    taken.Reset(&folder, "");
    preview.SetTakenNames(&taken);
    session.RefreshPreview(preview);
    for (std::size_t r = 0; r < preview.RowCount(); ++r) {
      const std::string old(preview.Cell(0, r));
      rows.push_back({old, std::string(preview.NewName(r)), preview.Marked(r), folder.ContentOf(old)});
    }
    before = folder.Contents();
    start = session.StartNumber;
    untouched = folder.State();
  }

  void Run() {
    result = RunRename(session, preview, folder, observer,
                       RenamePlace{std::string(MemoryFolder::Root), "KVTrun.log"});
  }

  // Letter case included: a name changing only in case is not given
  // while the file keeps its old spelling.
  bool At(const std::string& name, const Row& row) const {
    return folder.Has(name) && folder.ContentOf(name) == row.Content &&
           folder.Spelling(name) == MemoryFolder::Local(name);
  }
  bool PastLimit(std::size_t r) const {
    return std::int64_t{start} + static_cast<std::int64_t>(r) > RenameSession::MaxStartNumber;
  }
  int RenamesTo(std::string_view mark) const {
    return static_cast<int>(std::count_if(
        folder.Renamed.begin(), folder.Renamed.end(),
        [&](const auto& r) { return MemoryFolder::Local(r.second).rfind(mark, 0) == 0; }));
  }

  // The unmarked rows as the graph the run carries out: each waits for the
  // row leaving its new name. spoiled[r]: the row's file vanished or its new
  // name was taken mid-run. Returns, for each row, whether it waits (down
  // its chain, or in its cycle) for a spoiled row; counts the cycles.
  std::vector<bool> WaitsForSpoiled(const std::vector<bool>& spoiled, int& cycles) const {
    std::map<std::string, std::size_t> leaving;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      if (!rows[r].Marked && !PastLimit(r)) leaving[MemoryFolder::Key(rows[r].Old)] = r;
    }
    enum { Unknown, OnPath, Known };
    std::vector<int> state(rows.size(), Unknown);
    std::vector<bool> waits(rows.size(), false);
    cycles = 0;
    for (std::size_t r0 = 0; r0 < rows.size(); ++r0) {
      if (rows[r0].Marked || PastLimit(r0) || state[r0] != Unknown) continue;
      std::vector<std::size_t> path;
      std::size_t r = r0;
      bool verdict = false;
      for (;;) {
        state[r] = OnPath;
        path.push_back(r);
        const auto next = leaving.find(MemoryFolder::Key(rows[r].New));
        if (next == leaving.end() || next->second == r) {
          verdict = false;
          break;
        }
        if (state[next->second] == Known) {
          verdict = waits[next->second] || spoiled[next->second];
          break;
        }
        if (state[next->second] == OnPath) {  // a cycle: any member spoils it
          ++cycles;
          const auto begin = std::find(path.begin(), path.end(), next->second);
          bool any = false;
          for (auto it = begin; it != path.end(); ++it) any = any || spoiled[*it];
          for (auto it = begin; it != path.end(); ++it) {
            waits[*it] = any;
            state[*it] = Known;
          }
          path.erase(begin, path.end());
          verdict = any;
          break;
        }
        r = next->second;
      }
      for (std::size_t k = path.size(); k-- > 0;) {
        waits[path[k]] = verdict;
        state[path[k]] = Known;
        verdict = verdict || spoiled[path[k]];
      }
    }
    return waits;
  }
};

// Random batches run on file systems with each kind of fault, and stopped
// at random. Without faults every unmarked row ends with exactly its
// previewed name, every marked one keeps its own, and each file costs one
// rename, each cycle one more. Where files vanish or names appear mid-run,
// only the files waiting for them keep their names, and each is reported.
// With refusals, false "taken" answers and a journal that stops taking
// writes as well, no file is ever lost or overwritten, and what is
// reported done is done. A stopped run leaves every file under its new
// name or its old one, the start number continuing after the last number
// reached, and is undone like a finished one.
TEST(RenameRun, DeliversThePreviewAndNeverLosesAFileWhateverFails) {
  std::size_t renamedInAll = 0;
  int cyclesInAll = 0;
  int spoiledInAll = 0;
  for (unsigned seed = 1; seed <= 80; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed * 104729u);
    FaultRun run(seed, 1500 + static_cast<int>(random() % 3000), seed % 5 == 0);
    FaultyFolder& folder = run.folder;
    RecordingObserver& observer = run.observer;
    const bool faulty = seed % 2 == 0;    // every fault
    const bool intruded = seed % 4 == 1;  // files vanishing and names appearing only
    folder.Refusals = folder.Phantoms = faulty;
    folder.Vanishing = folder.Intruders = faulty || intruded;
    if (faulty && seed % 3 == 0) folder.FailAppendAfter = static_cast<int>(random() % 4000);
    if (seed % 3 == 1) observer.StopAfter = static_cast<int>(random() % run.rows.size());
    run.Run();
    const RenameRunResult& result = run.result;
    const bool stopped = observer.Stopped;
    EXPECT_EQ(result.Stopped, stopped);
    // Progress counts the checked files.
    EXPECT_EQ(observer.ProgressTotal, run.rows.size());
    for (std::size_t i = 1; i < observer.ProgressSteps.size(); ++i) {
      EXPECT_LE(observer.ProgressSteps[i - 1], observer.ProgressSteps[i]);
    }
    for (std::size_t step : observer.ProgressSteps) EXPECT_LT(step, observer.ProgressTotal);

    // No file lost or overwritten: only the vanished ones are missing.
    std::vector<int> expected = run.before;
    for (int gone : folder.VanishedContents) {
      expected.erase(std::find(expected.begin(), expected.end(), gone));
    }
    expected.insert(expected.end(), folder.IntruderContents.begin(), folder.IntruderContents.end());
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(folder.Contents(), expected);

    std::vector<bool> spoiled(run.rows.size());
    for (std::size_t r = 0; r < run.rows.size(); ++r) {
      const FaultRun::Row& row = run.rows[r];
      spoiled[r] = std::count(folder.VanishedContents.begin(), folder.VanishedContents.end(),
                              row.Content) != 0 ||
                   folder.IntrudedNames.count(MemoryFolder::Key(row.New)) != 0;
      spoiledInAll += spoiled[r];
    }
    int cycles = 0;
    const std::vector<bool> waits = run.WaitsForSpoiled(spoiled, cycles);
    cyclesInAll += cycles;

    // Each checked file ends under its previewed name or under its old one;
    // one that does not get its name is either marked, not reached before a
    // stop, spoiled or waiting for a spoiled one, or (refusals) reported.
    int delivered = 0;
    int undelivered = 0;  // unmarked, reached, and kept its name
    // Past the number limit the run still gives 2000000000 where that name
    // is free: such rows are marked, since their shown name is not given.
    int pastLimit = 0;
    for (std::size_t r = 0; r < run.rows.size(); ++r) {
      const FaultRun::Row& row = run.rows[r];
      if (run.PastLimit(r)) {
        EXPECT_TRUE(row.Marked);
        if (run.At(run.session.ComposeNewName(RenameSession::MaxStartNumber,
                                              ExtractExtension(row.Old)),
                   row)) {
          ++pastLimit;
        }
      } else if (row.Marked) {
        EXPECT_TRUE(run.At(row.Old, row) || faulty || spoiled[r]) << row.Old;
      } else if (run.At(row.New, row)) {
        ++delivered;
      } else if (stopped && run.At(row.Old, row)) {
        // Its turn had not come: left alone.
      } else if (!faulty) {
        EXPECT_TRUE(spoiled[r] || waits[r]) << row.Old << " did not become " << row.New;
        ++undelivered;
      }
    }
    const int marked = static_cast<int>(std::count_if(
        run.rows.begin(), run.rows.end(), [](const FaultRun::Row& r) { return r.Marked; }));
    // Files already under their new name count as done without a step.
    const int unchanged = static_cast<int>(std::count_if(
        run.rows.begin(), run.rows.end(),
        [](const FaultRun::Row& r) { return !r.Marked && r.New == r.Old; }));
    EXPECT_EQ(result.CompletedCount, delivered + pastLimit);
    if (!faulty && !stopped) {
      EXPECT_EQ(result.Collisions + result.Failures, marked - pastLimit + undelivered);
    }
    const int asides = run.RenamesTo(TemporaryNameMark);
    if (!faulty && !intruded && !stopped) {
      // One rename a file, and one more for each cycle.
      EXPECT_EQ(asides, cycles);
      EXPECT_EQ(folder.Renamed.size(),
                static_cast<std::size_t>(result.CompletedCount - unchanged + asides));
    }
    int left = 0;
    for (const auto& [name, tag] : folder.State()) {
      left += name.rfind(TemporaryNameMark, 0) == 0;
    }
    EXPECT_LE(left, result.Failures) << "left under a temporary name unreported";
    if (!faulty && !intruded) {
      EXPECT_EQ(left, 0);
    }
    // Files outside the batch were not touched.
    std::set<int> batch;
    for (const FaultRun::Row& row : run.rows) batch.insert(row.Content);
    for (const auto& [name, tag] : run.untouched) {
      if (batch.count(tag) == 0 && tag >= 0) {
        EXPECT_EQ(folder.Has(name) ? folder.ContentOf(name) : -2, tag) << name;
      }
    }

    // Counts agree with what really happened, one box at most for refusals.
    EXPECT_EQ(observer.Beeps, result.CompletedCount - unchanged);
    EXPECT_EQ(observer.Counts.size(), static_cast<std::size_t>(result.CompletedCount));
    EXPECT_EQ(static_cast<std::size_t>(result.Collisions), observer.Warnings.size());
    EXPECT_EQ(observer.Boxes.size(), result.Failures > 0 || result.NotReached > 0 ? 1u : 0u);
    if (!stopped) {
      EXPECT_EQ(result.Visited, static_cast<int>(run.rows.size()));
      EXPECT_EQ(result.NotReached, 0);
    } else if (result.Visited < static_cast<int>(run.rows.size())) {
      // The start number stops at the first row not reached, which kept its
      // name, whatever rows after it were renamed (a chain from its free end).
      const FaultRun::Row& first = run.rows[static_cast<std::size_t>(result.Visited)];
      if (!first.Marked && !faulty) {
        EXPECT_TRUE(run.At(first.Old, first)) << first.Old;
      }
      EXPECT_GT(result.NotReached, 0);
    }
    EXPECT_EQ(run.session.StartNumber,
              std::min<std::int64_t>(std::int64_t{run.start} + result.Visited,
                                     RenameSession::MaxStartNumber));
    // A run that renamed something leaves a complete journal to undo it by.
    if (result.CompletedCount > unchanged && folder.FailAppendAfter < 0) {
      const std::string& journal = folder.Journals["KVTrun.log"];
      EXPECT_EQ(journal.substr(journal.size() - 2), "E\n");
    }
    // A stopped run is undone like a finished one: every file back.
    if (stopped && !faulty && !intruded && result.CompletedCount > 0) {
      EXPECT_EQ(UndoLastRun(folder, JournalPathsBeside("KVTset.ini")).FailureCount, 0);
      EXPECT_EQ(folder.State(), run.untouched);
    }

    // Afterwards the list is the folder as it now is, nothing checked.
    EXPECT_EQ(run.session.Files.size(), folder.Names().size());
    EXPECT_EQ(run.session.CheckedCount(), 0u);
    EXPECT_EQ(run.preview.GetState(), PreviewRows::State::Completed);
    renamedInAll += folder.Renamed.size();
  }
  EXPECT_GT(renamedInAll, 80000u);
  EXPECT_GT(cyclesInAll, 5);
  EXPECT_GT(spoiledInAll, 50);

  // Stopped at every step in turn: every file under its old or its new
  // name, never a temporary one, the count and the start number saying
  // what was done, and the undo giving back the folder exactly.
  int asidesInAll = 0;
  for (unsigned seed = 1; seed <= 3; ++seed) {
    int stops = 0;
    for (int stopAfter = 0;; ++stopAfter) {
      SCOPED_TRACE(::testing::Message() << "seed " << seed << ", stop " << stopAfter);
      // Starting at 0 and 2 the names make cycles; at 10, chains only.
      FaultRun run(seed, 90, true, seed == 1 ? 0 : seed == 2 ? 2 : 10);
      run.observer.StopAfter = stopAfter;
      run.Run();
      for (std::size_t r = 0; r < run.rows.size(); ++r) {
        const FaultRun::Row& row = run.rows[r];
        ASSERT_TRUE(run.At(row.Old, row) || (!row.Marked && run.At(row.New, row)) ||
                    run.PastLimit(r))
            << row.Old;
      }
      for (const auto& [name, tag] : run.folder.State()) {
        EXPECT_NE(name.rfind(TemporaryNameMark, 0), 0u) << name;
      }
      EXPECT_EQ(run.observer.Counts.size(), static_cast<std::size_t>(run.result.CompletedCount));
      if (!run.observer.Counts.empty()) {
        EXPECT_EQ(run.observer.Counts.back(), CompletedCountText(run.result.CompletedCount));
      }
      EXPECT_EQ(run.session.StartNumber,
                std::min<std::int64_t>(std::int64_t{run.start} + run.result.Visited,
                                       RenameSession::MaxStartNumber));
      const JournalPaths paths = JournalPathsBeside("KVTset.ini");
      if (run.result.CompletedCount > 0) {
        EXPECT_EQ(UndoLastRun(run.folder, paths).FailureCount, 0);
      } else {
        EXPECT_FALSE(CanUndo(run.folder, paths));
      }
      asidesInAll += run.RenamesTo(TemporaryNameMark);
      EXPECT_EQ(run.folder.State(), run.untouched);
      if (!run.observer.Stopped) break;
      ++stops;
    }
    EXPECT_GT(stops, 20);
  }
  EXPECT_GT(asidesInAll, 0);  // cycles were stopped too
}

}  // namespace
}  // namespace korvath
