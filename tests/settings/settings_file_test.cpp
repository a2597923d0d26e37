#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeProfileStore.h"
#include "SettingsFile.h"

namespace korvath {
namespace {

TEST(ComposeSettingsPath, AppendsTheFileNameEvenAtARoot) {
  EXPECT_EQ(ComposeSettingsPath("C:\\Tools"), "C:\\Tools\\KVTset.ini");
  EXPECT_EQ(ComposeSettingsPath("C:\\"), "C:\\\\KVTset.ini");
}

TEST(ReadWindowPosition, ClampsEdgesBelowOneToZeroAndFarOnesToTheFarthest) {
  struct Case {
    const char* left;
    const char* top;
    int expectedLeft, expectedTop;
  };
  const Case cases[] = {
      {nullptr, nullptr, 198, 95},
      {"-40", "0x20", 0, 32},
      {"0", "$20", 0, 32},
      {"1", "abc", 1, 95},
      {"", "-1", 198, 0},
      {"99999999999", "1", 198, 1},
      {"2147483647", "0x7FFFFFF0", 32767, 32767},
      {"32767", "32768", 32767, 32767},
  };
  for (const Case& c : cases) {
    test::FakeProfileStore store;
    if (c.left) store.Set("Form", "Left", c.left);
    if (c.top) store.Set("Form", "Top", c.top);
    WindowPosition p = ReadWindowPosition(store);
    EXPECT_EQ(p.Left, c.expectedLeft) << (c.left ? c.left : "(none)");
    EXPECT_EQ(p.Top, c.expectedTop) << (c.top ? c.top : "(none)");
  }
}

TEST(ReadHistories, ReadEverySlotFromItsKey) {
  test::FakeProfileStore store;
  store.Set("SetUp", "DirHst0", "C:\\Now");
  store.Set("SetUp", "DirHst6", "C:\\Old");
  store.Set("SetUp", "TopHst32", "last");
  store.Set("SetUp", "BtmHst0", "first");
  store.Set("Setup", "TopHst0", "wrong section");
  FolderHistory dirs = ReadFolderHistory(store);
  TextHistory prefixes = ReadPrefixHistory(store);
  TextHistory suffixes = ReadSuffixHistory(store);
  EXPECT_EQ(dirs[0], "C:\\Now");
  EXPECT_EQ(dirs[6], "C:\\Old");
  EXPECT_EQ(prefixes[0], "");
  EXPECT_EQ(prefixes[32], "last");
  EXPECT_EQ(suffixes[0], "first");
}

TEST(LoadUserMasks, FollowsFileCount) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> option;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"no file: one empty row", {}, {""}},
      {"FileCount -1 hides File0", {{"FileCount", "-1"}, {"File0", "*.old"}}, {}},
      {"empty rows kept", {{"FileCount", "2"}, {"File1", "*.b"}}, {"", "*.b", ""}},
      {"beyond FileCount unread",
       {{"FileCount", "0"}, {"File0", "*.a"}, {"File1", "*.b"}},
       {"*.a"}},
      {"out of range reads as 0", {{"FileCount", "4294967296"}, {"File0", "*.a"}}, {"*.a"}},
      {"garbage reads as 0", {{"FileCount", "\x82\xa0\xff"}, {"File0", "*.a"}}, {"*.a"}},
  };
  for (const Case& c : cases) {
    test::FakeProfileStore store;
    store.Set("Option", c.option);
    EXPECT_EQ(LoadUserMasks(store), c.expected) << c.name;
  }
}

TEST(LoadUserMasks, AnAbsurdFileCountReadsAtMostTheBound) {
  test::FakeProfileStore store;
  store.Set("Option", "FileCount", "2147483647");
  store.Set("Option", "File999", "*.last");
  store.Set("Option", "File1000", "*.beyond");
  std::vector<std::string> masks = LoadUserMasks(store);
  ASSERT_EQ(masks.size(), static_cast<std::size_t>(kMaxUserMasks));
  EXPECT_EQ(masks.back(), "*.last");
  EXPECT_LE(store.Reads(), kMaxUserMasks + 1);
}

struct SaveFixture {
  FolderHistory dirs;
  TextHistory prefixes, suffixes;
  std::vector<std::string> masks;
  SettingsToSave Settings() { return {{10, 20}, dirs, prefixes, suffixes, masks}; }
};

std::vector<std::string> ExpectedSaveOrder(std::size_t maskCount) {
  std::vector<std::string> keys = {"Form/Left", "Form/Top"};
  for (int i = 0; i < 7; ++i) keys.push_back("SetUp/DirHst" + std::to_string(i));
  for (int i = 0; i < 33; ++i) keys.push_back("SetUp/TopHst" + std::to_string(i));
  for (int i = 0; i < 33; ++i) keys.push_back("SetUp/BtmHst" + std::to_string(i));
  keys.push_back("Option/FileCount");
  for (std::size_t i = 0; i < maskCount; ++i) keys.push_back("Option/File" + std::to_string(i));
  return keys;
}

TEST(SaveWholeSettings, WritesEveryKeyInOrderEmptySlotsIncluded) {
  SaveFixture f;
  f.dirs[0] = "C:\\Now";
  f.prefixes[1] = "p";
  f.masks = {"*.a", "", "*.c"};
  test::FakeProfileStore store;
  ASSERT_TRUE(SaveWholeSettings(store, f.Settings()));
  EXPECT_EQ(store.Writes(), ExpectedSaveOrder(3));
  EXPECT_EQ(store.ReadString("Form", "Left"), "10");
  EXPECT_EQ(store.ReadString("SetUp", "DirHst0"), "C:\\Now");
  EXPECT_EQ(store.ReadString("SetUp", "TopHst1"), "p");
  EXPECT_EQ(store.ReadString("Option", "FileCount"), "2");
  EXPECT_EQ(store.ReadString("Option", "File2"), "*.c");
}

TEST(SaveWholeSettings, AnEmptyListWritesMinusOneAndLeavesOldMasks) {
  SaveFixture f;
  test::FakeProfileStore store;
  store.Set("Option", "File0", "*.old");
  ASSERT_TRUE(SaveWholeSettings(store, f.Settings()));
  EXPECT_EQ(store.Writes(), ExpectedSaveOrder(0));
  EXPECT_EQ(store.ReadString("Option", "FileCount"), "-1");
  EXPECT_EQ(store.ReadString("Option", "File0"), "*.old");
}

TEST(SaveWholeSettings, StopsAtTheFirstKeyThatCannotBeWritten) {
  const char* refused[][2] = {
      {"Form", "Left"},        {"SetUp", "DirHst3"}, {"SetUp", "BtmHst32"},
      {"Option", "FileCount"}, {"Option", "File1"},
  };
  for (const auto& key : refused) {
    SaveFixture f;
    f.masks = {"*.a", "*.b", "*.c"};
    test::FakeProfileStore store;
    store.RefuseKey(key[0], key[1]);
    SaveResult result = SaveWholeSettings(store, f.Settings());
    EXPECT_FALSE(result);
    EXPECT_EQ(result.FailedSection, key[0]);
    EXPECT_EQ(result.FailedKey, key[1]);
    std::string failed = std::string(key[0]) + "/" + key[1];
    ASSERT_FALSE(store.Writes().empty());
    EXPECT_EQ(store.Writes().back(), failed) << "nothing is written after the failed key";
  }
}

// The file stays Shift-JIS: a folder, prefix, suffix or mask it cannot hold
// leaves its own slot empty (an older entry there is cleared, not kept),
// never "?" or a look-alike, and every other entry keeps its key.
TEST(SaveWholeSettings, TextsShiftJisLacksLeaveOnlyTheirOwnSlotEmpty) {
  SaveFixture f;
  f.dirs = {"C:\\café", "C:\\写真", "C:\\😀", "C:\\a"};
  f.prefixes[0] = "한글_";
  f.prefixes[1] = "写真_";
  f.suffixes[0] = "naïve";
  f.masks = {"*.jpg", "*.😀", "*.表"};
  test::FakeProfileStore store;
  store.Set("SetUp", "DirHst2", "C:\\old");
  ASSERT_TRUE(SaveWholeSettings(store, f.Settings()));
  EXPECT_EQ(store.Writes(), ExpectedSaveOrder(3));
  const std::pair<std::string, std::string> bytes[] = {
      {"DirHst0", ""},         {"DirHst1", "C:\\\x8E\xCA\x90\x5E"},
      {"DirHst2", ""},         {"DirHst3", "C:\\a"},
      {"TopHst0", ""},         {"TopHst1", "\x8E\xCA\x90\x5E_"},
      {"BtmHst0", ""},         {"FileCount", "2"},
      {"File0", "*.jpg"},      {"File1", ""},
      {"File2", "*.\x95\x5C"},
  };
  for (const auto& [key, expected] : bytes) {
    const std::string section = key.rfind("File", 0) == 0 ? "Option" : "SetUp";
    EXPECT_EQ(store.Bytes(section, key), expected) << key;
  }
  EXPECT_EQ(ReadPrefixHistory(store)[1], "写真_");
  EXPECT_EQ(LoadUserMasks(store), (std::vector<std::string>{"*.jpg", "", "*.表"}));
}

TEST(FileOrderSetting, ReadsAnyValueSafelyAndIsWrittenOnceUsed) {
  const std::pair<const char*, FileOrder> values[] = {
      {nullptr, FileOrder::Name}, {"0", FileOrder::Name},   {"1", FileOrder::Natural},
      {"2", FileOrder::Date},     {"3", FileOrder::ShootingDate}, {"-1", FileOrder::Name},
      {"4", FileOrder::Name}, {"date", FileOrder::Name},  {"0x2", FileOrder::Date},
  };
  for (const auto& [value, order] : values) {
    test::FakeProfileStore store;
    if (value) store.Set("Option", "Order", value);
    EXPECT_EQ(ReadFileOrder(store), order) << (value ? value : "(missing)");
  }

  // The name order adds no key to a file without one; another order is
  // written last, and going back to the name order is written too.
  SaveFixture f;
  test::FakeProfileStore store;
  ASSERT_TRUE(SaveWholeSettings(store, f.Settings()));
  EXPECT_EQ(store.Writes(), ExpectedSaveOrder(0));
  SettingsToSave natural = f.Settings();
  natural.Order = FileOrder::Natural;
  ASSERT_TRUE(SaveWholeSettings(store, natural));
  EXPECT_EQ(store.Writes().back(), "Option/Order");
  EXPECT_EQ(store.ReadString("Option", "Order"), "1");
  ASSERT_TRUE(SaveWholeSettings(store, f.Settings()));
  EXPECT_EQ(store.Writes().back(), "Option/Order");
  EXPECT_EQ(store.ReadString("Option", "Order"), "0");

  store.RefuseKey("Option", "Order");
  SaveResult refused = SaveWholeSettings(store, natural);
  EXPECT_FALSE(refused);
  EXPECT_EQ(refused.FailedKey, "Order");
}

TEST(WriteFailureMessage, NamesTheSettingsFile) {
  EXPECT_EQ(WriteFailureMessage("C:\\x\\KVTset.ini"), "C:\\x\\KVTset.ini に書き込めません");
  EXPECT_STREQ(ESettingsWriteError("D:\\\\KVTset.ini").what(), "D:\\\\KVTset.ini に書き込めません");
}

}  // namespace
}  // namespace korvath
