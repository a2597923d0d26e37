#include "RenameRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "FileNames.h"
#include "PreviewRows.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "SequenceNumber.h"
#include "TestDoubles.h"

namespace korvath {
namespace {

using testing::FakeFields;
using testing::MemoryFolder;
using testing::RecordingObserver;

// A folder with the given files, listed and checked as asked.
struct Bench {
  FakeFields fields;
  MemoryFolder folder;
  RecordingObserver observer{&folder};
  RenameSession session{fields};
  PreviewRows preview;

  void List(std::initializer_list<std::pair<const char*, bool>> files) {
    int content = 0;
    for (const auto& [name, checked] : files) {
      folder.Add(name, ++content);
      session.Files.push_back({name, checked});
    }
    session.RefreshPreview(preview);
  }
  RenameRunResult Run() { return RunRename(session, preview, folder, observer); }
};

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
  EXPECT_TRUE(b.folder.ExistsCalls.empty());
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
  EXPECT_EQ(b.observer.StartNumbers, (std::vector<std::string>{"2", "3", "4"}));
}

TEST(RenameRun, NewNameEqualToTheCurrentNameIsACollision) {
  Bench b;
  b.List({{"1.txt", true}});
  const RenameRunResult result = b.Run();
  EXPECT_EQ(result.Collisions, 1);
  EXPECT_TRUE(b.folder.RenameCalls.empty());
  EXPECT_EQ(b.session.StartNumber, 2);
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
      // Allowed: subfolders, dots inside names, and double-byte characters
      // whose second byte is that of "\\" or "|" (表 95 5C, ポ 83 7C).
      {"sub\\", "", KeepExtension.data(), ""},
      {"./..a", ".", ".txt", ""},
      {"表ポ", "", ".txt", ""},
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

// A file system that misbehaves: refuses renames at random, loses files
// between the listing and the rename, and claims names are taken.
class FaultyFolder : public MemoryFolder {
 public:
  explicit FaultyFolder(unsigned seed) : random_(seed) {}

  bool Exists(const std::string& name) override {
    const bool real = MemoryFolder::Exists(name);
    return real || Chance(0.05);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    if (Has(from) && Chance(0.05)) {
      VanishedContents.push_back(ContentOf(from));
      Remove(from);
    }
    if (Chance(0.1)) {
      RenameCalls.push_back({from, to});
      return false;
    }
    return MemoryFolder::Rename(from, to);
  }

  std::vector<int> VanishedContents;

 private:
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
  std::mt19937 random_;
};

TEST(RenameRun, FaultsNeverLoseOrOverwriteAFile) {
  for (unsigned seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed * 7919u);
    FakeFields fields;
    FaultyFolder folder(seed);
    RecordingObserver observer(&folder);
    RenameSession session(fields);
    PreviewRows preview;

    const int fileCount = 1000 + static_cast<int>(random() % 2000);
    const std::string extensions[] = {".dat", ".txt", ".DAT", ""};
    int content = 0;
    std::vector<std::string> checkedNames;
    for (int i = 0; i < fileCount; ++i) {
      const std::string name = "f" + std::to_string(i) + extensions[random() % 4];
      folder.Add(name, ++content);
      const bool check = random() % 4 != 0;
      if (check) checkedNames.push_back(name);
      session.Files.push_back({name, check});
    }
    fields.Prefix = "p";
    fields.Extension = random() % 2 ? std::string(KeepExtension) : ".dat";
    session.DigitCount = 1 + static_cast<int>(random() % 6);
    session.StartNumber = random() % 3 == 0
                              ? RenameSession::MaxStartNumber - static_cast<int>(random() % 50)
                              : static_cast<int>(random() % 100);
    // Some of the new names are taken already.
    for (int i = 0; i < 40; ++i) {
      const int number = session.StartNumber + static_cast<int>(random() % 3000);
      folder.Add(session.ComposeNewName(number, ".dat"), ++content);
    }
    const std::vector<int> before = folder.Contents();
    const int start = session.StartNumber;

    const RenameRunResult result = RunRename(session, preview, folder, observer);

    // No file lost or overwritten: only the vanished ones are missing.
    std::vector<int> expected = before;
    for (int gone : folder.VanishedContents) {
      expected.erase(std::find(expected.begin(), expected.end(), gone));
    }
    EXPECT_EQ(folder.Contents(), expected);

    // Counts agree with what really happened.
    const int done = static_cast<int>(folder.Renamed.size());
    EXPECT_EQ(result.CompletedCount, done);
    EXPECT_EQ(observer.Beeps, done);
    EXPECT_EQ(observer.Counts.size(), static_cast<std::size_t>(done));
    if (done > 0) {
      EXPECT_EQ(observer.Counts.back(), CompletedCountText(done));
    }
    // Every checked file uses up its number, given or skipped.
    EXPECT_EQ(session.StartNumber,
              std::min<std::int64_t>(std::int64_t{start} + static_cast<int>(checkedNames.size()),
                                     RenameSession::MaxStartNumber));
    EXPECT_EQ(static_cast<std::size_t>(result.Collisions), observer.Warnings.size());
    // Refused renames are told once, after the run.
    EXPECT_EQ(observer.Boxes.size(), result.Failures > 0 ? 1u : 0u);
    if (result.Failures > 0) {
      EXPECT_EQ(observer.Boxes[0].rfind(std::to_string(result.Failures) + "個のファイルは", 0), 0u);
    }

    // Every checked entry visited exactly once, in list order, and each
    // success got the next number.
    EXPECT_EQ(static_cast<std::size_t>(result.Visited), checkedNames.size());
    EXPECT_EQ(folder.ExistsCalls.size(), checkedNames.size());
    EXPECT_EQ(result.Collisions + result.Failures + result.CompletedCount, result.Visited);
    std::size_t next = 0;
    for (const auto& call : folder.RenameCalls) {
      while (next < checkedNames.size() && checkedNames[next] != call.first) ++next;
      ASSERT_LT(next, checkedNames.size()) << call.first << " renamed twice or out of order";
      ++next;
    }
    // Each renamed file got the name the preview showed for it.
    for (const auto& [from, to] : folder.Renamed) {
      const auto row = std::find(checkedNames.begin(), checkedNames.end(), from);
      const std::int64_t number = std::min<std::int64_t>(
          start + (row - checkedNames.begin()), RenameSession::MaxStartNumber);
      EXPECT_EQ(to, session.ComposeNewName(number, ExtractExtension(from)));
    }

    // Afterwards the list is the folder as it now is, nothing checked.
    EXPECT_EQ(session.Files.size(), folder.Size());
    EXPECT_EQ(session.CheckedCount(), 0u);
    EXPECT_EQ(preview.GetState(), PreviewRows::State::Completed);
  }
}

}  // namespace
}  // namespace korvath
