#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeProfileStore.h"
#include "FileTypeFilter.h"
#include "FilterEntries.h"
#include "SettingsFile.h"

namespace korvath {
namespace {

constexpr char kBuiltIn18[] =
    "すべてのファイル (*.*)|*.*|"
    "ビットマップ イメージ (*.bmp;*dib)|*.bmp;*dib|"
    "JPEG イメージ (*.jpg;*jpeg;*jpe)|*.jpg;*jpeg;*jpe|"
    "GIF イメージ (*.gif)|*.gif|"
    "PNG イメージ (*.png)|*.png|"
    "TIF イメージ (*.tif)|*.tif|"
    "アイコン (*.ico)|*.ico|"
    "テキスト文書 (*.txt)|*.txt|"
    "カンマ区切りテキストファイル (*.csv)|*.csv|"
    "HTML文書 (*.htm;*.html)|*.htm;*.html|"
    "リッチテキスト形式 (*.rtf)|*.rtf|"
    "Word文書 (*.doc)|*.doc|"
    "Excelワークシート (*.xls)|*.xls|"
    "C言語関連ファイル (*.c;*.css;*.h)|*.c;*.css;*.h|"
    "Java関連ファイル (*.java;*.h)|*.java;*.h|"
    "WAVE サウンド (*.wav)|*.wav|"
    "MIDI シーケンス (*.mid;*.midi;*rmi)|*.mid;*.midi;*rmi|"
    "MP3形式 サウンド (*.mp3)|*.mp3|";
const std::string kBuiltInOnly = std::string(kBuiltIn18) + "ビデオクリップ (*.avi)|*.avi";
const std::string kBuiltInOpen = kBuiltInOnly + "|";

struct StartupCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> option;  // key, value
  std::string expected;
};

TEST(BuildStartupFilter, ListsTheNonEmptyMasksThatFileCountNames) {
  const StartupCase cases[] = {
      {"no settings file", {}, kBuiltInOnly},
      {"FileCount -1 with an old File0", {{"FileCount", "-1"}, {"File0", "*.old"}}, kBuiltInOnly},
      {"FileCount missing", {{"File0", "*.log"}}, kBuiltInOpen + "ユーザ定義1 (*.log)|*.log"},
      {"FileCount not an integer",
       {{"FileCount", "many"}, {"File0", "*.log"}},
       kBuiltInOpen + "ユーザ定義1 (*.log)|*.log"},
      {"a missing key in the middle",
       {{"FileCount", "2"}, {"File0", "*.a"}, {"File2", "*.c"}},
       kBuiltInOpen + "ユーザ定義1 (*.a)|*.a|ユーザ定義2 (*.c)|*.c"},
      // A fresh install's empty first row followed by the user's mask.
      {"File0 empty with FileCount 1",
       {{"FileCount", "1"}, {"File0", ""}, {"File1", "*.x"}},
       kBuiltInOpen + "ユーザ定義1 (*.x)|*.x"},
      {"keys beyond FileCount unread",
       {{"FileCount", "0"}, {"File0", "*.a"}, {"File1", "*.b"}},
       kBuiltInOpen + "ユーザ定義1 (*.a)|*.a"},
      {"a mask holding |",
       {{"FileCount", "0"}, {"File0", "*.a|b"}},
       kBuiltInOpen + "ユーザ定義1 (*.a|b)|*.a|b"},
  };
  for (const StartupCase& c : cases) {
    test::FakeProfileStore store;
    store.Set("Option", c.option);
    EXPECT_EQ(BuildStartupFilter(store), c.expected) << c.name;
  }
}

TEST(BuildStartupFilter, AnAbsurdFileCountIsBounded) {
  test::FakeProfileStore store;
  store.Set("Option", "FileCount", "2147483647");
  store.Set("Option", "File0", "*.a");
  store.Set("Option", "File" + std::to_string(kMaxUserMasks - 1), "*.last");
  store.Set("Option", "File" + std::to_string(kMaxUserMasks), "*.past");
  std::string filter = BuildStartupFilter(store);
  EXPECT_LE(store.Reads(), kMaxUserMasks + 2);
  EXPECT_EQ(ParseFilterEntries(filter).Masks.size(), 21u);
  std::string last = "ユーザ定義2 (*.last)|*.last";
  EXPECT_EQ(filter.substr(filter.size() - last.size()), last);
}

TEST(BuildFilterFromUserMasks, EmptyRowsGiveNoEntry) {
  EXPECT_EQ(BuildFilterFromUserMasks({}), kBuiltInOnly);
  EXPECT_EQ(BuildFilterFromUserMasks({""}), kBuiltInOnly);
  EXPECT_EQ(BuildFilterFromUserMasks({"", "*.x"}), kBuiltInOpen + "ユーザ定義1 (*.x)|*.x");
  EXPECT_EQ(BuildFilterFromUserMasks({"*.a", "", "*.c"}),
            kBuiltInOpen + "ユーザ定義1 (*.a)|*.a|ユーザ定義2 (*.c)|*.c");
  EXPECT_EQ(BuildFilterFromUserMasks({"*.txt"}), kBuiltInOpen + "ユーザ定義1 (*.txt)|*.txt");
}

TEST(BuildFilterFromUserMasks, NumbersGrowWithoutPadding) {
  std::vector<std::string> masks;
  for (char c = 'a'; c <= 'z' && masks.size() < 10; ++c) masks.push_back(std::string("*.") + c);
  std::string text = BuildFilterFromUserMasks(masks);
  EXPECT_NE(text.find("|ユーザ定義9 (*.i)|*.i|ユーザ定義10 (*.j)|*.j"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 3), "*.j");
}

TEST(BuildFilterFromUserMasks, ReadsBackAsOneEntryPerTypeAndMask) {
  FilterEntries entries = ParseFilterEntries(BuildFilterFromUserMasks({"*.log", "", "*.表"}));
  ASSERT_EQ(entries.Masks.size(), 21u);
  EXPECT_EQ(entries.Descriptions[0], "すべてのファイル (*.*)");
  EXPECT_EQ(entries.Masks[0], "*.*");
  EXPECT_EQ(entries.Masks[18], "*.avi");
  EXPECT_EQ(entries.Descriptions[19], "ユーザ定義1 (*.log)");
  EXPECT_EQ(entries.Descriptions[20], "ユーザ定義2 (*.表)");
  EXPECT_EQ(entries.Masks[20], "*.表");
}

TEST(BuiltInFileTypes, KeepTheirMasksAsWritten) {
  ASSERT_EQ(BuiltInFileTypes.size(), 19u);
  EXPECT_EQ(BuiltInFileTypes[1].Mask, "*.bmp;*dib");
  EXPECT_EQ(BuiltInFileTypes[2].Mask, "*.jpg;*jpeg;*jpe");
  EXPECT_EQ(BuiltInFileTypes[16].Mask, "*.mid;*.midi;*rmi");
}

}  // namespace
}  // namespace korvath
