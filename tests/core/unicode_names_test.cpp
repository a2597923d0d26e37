// Names of any script: letter case folded as Windows file systems fold it,
// lengths in UTF-16 units, and runs over such names in a folder deeper than
// 260 characters, undone from the journal they write and from an earlier
// version's Shift-JIS one.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "NameKeys.h"
#include "PreviewRows.h"
#include "RenameRun.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "RenameUndo.h"
#include "TestDoubles.h"
#include "Utf8.h"

namespace korvath {
namespace {

using testing::FakeFields;
using testing::MemoryFolder;
using testing::RecordingObserver;

std::string Repeat(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST(NameKey, FoldsLetterCaseAsWindowsFileSystemsDo) {
  struct Case {
    std::string_view a, b;
    bool same;
  };
  const Case cases[] = {
      {"readme.TXT", "README.txt", true},
      {"a/b", "A\\B", true},
      {"café.jpg", "CAFÉ.JPG", true},
      {"café.jpg", "cafe.jpg", false},
      {"e\xCC\x81", "é", false},     // e + combining accent: no normalization
      {"straße", "STRASSE", false},  // one character to one: ß stays
      {"straße", "STRAßE", true},
      {"ß", "ẞ", false},
      {"σας", "ΣΑΣ", true},  // final sigma too
      {"ᾳ", "ᾼ", true},
      {"привет", "ПРИВЕТ", true},
      {"ｆｉｌｅ", "ＦＩＬＥ", true},
      {"ǆ", "ǅ", true},
      {"ǅ", "Ǆ", true},
      {"ı", "I", true},
      {"i", "İ", false},
      {"ſ", "s", true},
      {"µ", "Μ", true},
      {"ÿ", "Ÿ", true},
      {"ꙁ", "Ꙁ", true},
      {"ⓐ", "Ⓐ", true},
      {"𐐨", "𐐀", false},  // past the BMP nothing is folded
      {"表ソ한글😀", "表ソ한글😀", true},
      {"\xED\xA0\x80", "\xED\xA0\x81", false},  // lone surrogates stay apart
      {"\xFF", "\xEF\xBF\xBD", false},          // a broken byte is no U+FFFD
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NameKey(c.a) == NameKey(c.b), c.same) << c.a << " / " << c.b;
  }
  // Keys written out whole, across the change from ASCII to the rest, and
  // appended after what is there.
  EXPECT_EQ(NameKey("photo_ı_é😀/x.jpg"), "PHOTO_I_É😀\\X.JPG");
  std::string key = "kept";
  AppendNameKey(key, "aɐb");  // U+0250 widens to U+2C6F: two bytes to three
  EXPECT_EQ(key, "keptAⱯB");
  // A key is its own key: every BMP character, through the whole table.
  for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string text;
    AppendCodePoint(text, c);
    const std::string once = NameKey(text);
    ASSERT_EQ(NameKey(once), once) << static_cast<unsigned>(c);
  }
}

TEST(CheckNameFits, CountsUtf16UnitsInEachStepAndTheWholePath) {
  const std::string name250 = Repeat("長", 246) + ".txt";
  struct Case {
    std::string name;
    std::size_t folder;
    NameFit fit;
  };
  const Case cases[] = {
      {name250, 200, NameFit::Fits},
      {std::string(255, 'a'), 0, NameFit::Fits},
      {std::string(256, 'a'), 0, NameFit::TooLong},
      {Repeat("😀", 127) + "a", 0, NameFit::Fits},  // 255 units in 509 bytes
      {Repeat("😀", 128), 0, NameFit::TooLong},     // 256 units
      {"sub\\" + std::string(256, 'a'), 0, NameFit::TooLong},
      {std::string(256, 'a') + "\\x", 0, NameFit::TooLong},
      {name250, kLongestPath - 251, NameFit::Fits},
      {name250, kLongestPath - 250, NameFit::TooLong},
      {"CON.txt", 0, NameFit::Unusable},
      {"x\\aux.txt", 0, NameFit::Unusable},
      {"a.", 0, NameFit::Unusable},
      {"sub\\\\x", 0, NameFit::Unusable},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckNameFits(c.name, c.folder), c.fit) << c.name.size() << " bytes";
  }
  const std::pair<std::string_view, std::size_t> counts[] = {
      {"", 0},  {"a", 1},   {"é", 1},    {"表", 1},
      {"😀", 2}, {"a😀é", 4}, {"\xFF", 1}, {"\xED\xA0\x80", 1},
  };
  for (const auto& [text, units] : counts) {
    EXPECT_EQ(Utf16Length(text), units) << text;
    EXPECT_EQ(FitUtf16Units(std::string(text) + "😀", units + 1), text.size()) << text;
  }
  EXPECT_EQ(FitUtf16Units("a😀b", 2), 1u);  // never half a character
}

// A folder 200 UTF-16 units deep (past MAX_PATH with any long name in it).
struct DeepFolder {
  // "C:" and 39 steps of 5 units, then "\ab".
  const std::string Path = "C:" + Repeat("\\한😀é", 39) + "\\ab";
  const JournalPaths Journals = JournalPathsBeside("KVTset.ini");
  FakeFields fields;
  MemoryFolder folder;
  RecordingObserver observer{&folder};
  RenameSession session{fields};
  PreviewRows preview;

  DeepFolder() { folder.AddFolder(Path); }
  void List(const std::vector<std::string>& names) {
    session.Files.clear();
    for (const std::string& name : names) {
      folder.Add(Path + "\\" + name, static_cast<int>(folder.Size()));
      session.Files.push_back({name, true});
    }
    session.RefreshPreview(preview);
  }
  RenameRunResult Run(const std::string& prefix) {
    fields.Prefix = prefix;
    session.StartNumber = 1;
    session.RefreshPreview(preview);
    return RunRename(session, preview, folder, observer, RenamePlace{Path, Journals.Run});
  }
  // The folder's files by name relative to it.
  std::map<std::string, int> Files() const {
    std::map<std::string, int> files;
    for (const auto& [name, content] : folder.State())
      files[name.substr(Path.size() + 1)] = content;
    return files;
  }
};

TEST(RenameRun, MixedScriptNamesInADeepFolderAreRenamedAndUndone) {
  ASSERT_EQ(Utf16Length(DeepFolder().Path), 200u);
  const std::string longName = Repeat("長", 246) + ".txt";
  DeepFolder d;
  d.List({"café.jpg", "cafe.jpg", "naïve.txt", "한글.txt", "😀.txt", "a.txt", longName});
  const std::map<std::string, int> before = d.Files();
  const RenameRunResult result = d.Run("x");
  EXPECT_EQ(result.CompletedCount, 7);
  EXPECT_TRUE(d.observer.Boxes.empty());
  EXPECT_EQ(d.Files(), (std::map<std::string, int>{{"x1.jpg", 1},
                                                   {"x2.jpg", 2},
                                                   {"x3.txt", 3},
                                                   {"x4.txt", 4},
                                                   {"x5.txt", 5},
                                                   {"x6.txt", 6},
                                                   {"x7.txt", 7}}));
  // The journal is UTF-8 behind its byte order mark.
  const std::string& journal = d.folder.Journals[d.Journals.Run];
  EXPECT_EQ(journal.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(journal.find("\tcafé.jpg\tx1.jpg\t"), std::string::npos);
  EXPECT_EQ(UndoLastRun(d.folder, d.Journals).Restored, 7);
  EXPECT_EQ(d.Files(), before);

  // Two 250-unit names trading places step aside under a temporary name
  // that still fits; a name of 256 units is refused and reported.
  const std::string prefix = Repeat("😀", 120) + "ab_cd";
  DeepFolder swap;
  swap.List({prefix + "2.txt", prefix + "1.txt"});
  EXPECT_EQ(swap.Run(prefix).CompletedCount, 2);
  EXPECT_EQ(swap.Files(),
            (std::map<std::string, int>{{prefix + "1.txt", 1}, {prefix + "2.txt", 2}}));
  EXPECT_TRUE(swap.observer.Boxes.empty());
  swap.List({"z.txt"});
  const RenameRunResult tooLong = swap.Run(prefix + "xyzab_");
  EXPECT_EQ(tooLong.Failures, 1);
  ASSERT_EQ(swap.observer.Boxes.size(), 1u);
  EXPECT_NE(swap.observer.Boxes[0].find(TooLongNameReason), std::string::npos);
  EXPECT_TRUE(swap.folder.Has(swap.Path + "\\z.txt"));
}

TEST(RenameUndo, ReadsAnEarlierVersionsShiftJisJournal) {
  const JournalPaths paths = JournalPathsBeside("KVTset.ini");
  const std::string text = "KVTJ1\trun\tC:\\写真\nS\t旅行ソ.jpg\t表１.jpg\nE\n";
  const std::optional<std::string> shiftJis = testing::ToShiftJis(text);
  ASSERT_TRUE(shiftJis);
  ASSERT_NE(*shiftJis, text);
  MemoryFolder folder;
  folder.AddFolder("C:\\写真");
  folder.Add("C:\\写真\\表１.jpg", 1);
  folder.Journals[paths.Run] = *shiftJis;
  ASSERT_TRUE(CanUndo(folder, paths));
  EXPECT_EQ(UndoLastRun(folder, paths).Restored, 1);
  EXPECT_TRUE(folder.Has("C:\\写真\\旅行ソ.jpg"));
  // What is neither UTF-8 with its mark nor Shift-JIS is no journal.
  folder.Journals[paths.Run] = "KVTJ1\trun\tC:\\\x82\xFF\nE\n";
  EXPECT_FALSE(CanUndo(folder, paths));
  const Recovery recovery =
      RecoverInterrupted(folder, paths, [](const std::string&) { return true; });
  EXPECT_EQ(recovery.Told, "");
  EXPECT_EQ(recovery.SetAside.size(), 1u);
}

}  // namespace
}  // namespace korvath
