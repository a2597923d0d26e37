#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeProfileStore.h"
#include "FileTypeFilter.h"
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

TEST(BuildStartupFilter, DecidesOnFile0AndCountsOnFileCount) {
  const StartupCase cases[] = {
      {"no settings file", {}, kBuiltInOnly},
      {"FileCount -1 with an old File0", {{"FileCount", "-1"}, {"File0", "*.old"}}, kBuiltInOpen},
      {"FileCount missing", {{"File0", "*.log"}}, kBuiltInOpen + "ユーザ定義1 (*.log)|*.log"},
      {"FileCount not an integer",
       {{"FileCount", "many"}, {"File0", "*.log"}},
       kBuiltInOpen + "ユーザ定義1 (*.log)|*.log"},
      {"a missing key in the middle",
       {{"FileCount", "2"}, {"File0", "*.a"}, {"File2", "*.c"}},
       kBuiltInOpen + "ユーザ定義1 (*.a)|*.a|ユーザ定義2 ()||ユーザ定義3 (*.c)|*.c"},
      {"File0 empty with FileCount 1",
       {{"FileCount", "1"}, {"File0", ""}, {"File1", "*.x"}},
       kBuiltInOnly},
      {"keys beyond FileCount unread",
       {{"FileCount", "0"}, {"File0", "*.a"}, {"File1", "*.b"}},
       kBuiltInOpen + "ユーザ定義1 (*.a)|*.a"},
      {"a mask holding |",
       {{"FileCount", "0"}, {"File0", "*.a|b"}},
       kBuiltInOpen + "ユーザ定義1 (*.a|b)|*.a|b"},
  };
  for (const StartupCase& c : cases) {
    test::FakeProfileStore store;
    for (const auto& [key, value] : c.option) store.Set("Option", key, value);
    EXPECT_EQ(BuildStartupFilter(store).Text, c.expected) << c.name;
  }
}

TEST(BuildStartupFilter, AnAbsurdFileCountIsBounded) {
  test::FakeProfileStore store;
  store.Set("Option", "FileCount", "2147483647");
  store.Set("Option", "File0", "*.a");
  FilterString filter = BuildStartupFilter(store);
  EXPECT_EQ(filter.HandOverLengths.size(), 19u + kMaxUserMasks);
  EXPECT_LE(store.Reads(), kMaxUserMasks + 2);
  std::string last = "ユーザ定義" + std::to_string(kMaxUserMasks) + " ()|";
  EXPECT_EQ(filter.Text.substr(filter.Text.size() - last.size()), last);
}

TEST(BuildFilterFromUserMasks, CountsRowsNotTheirText) {
  EXPECT_EQ(BuildFilterFromUserMasks({}).Text, kBuiltInOnly);
  EXPECT_EQ(BuildFilterFromUserMasks({""}).Text, kBuiltInOpen + "ユーザ定義1 ()|");
  EXPECT_EQ(BuildFilterFromUserMasks({"", "*.x"}).Text,
            kBuiltInOpen + "ユーザ定義1 ()||ユーザ定義2 (*.x)|*.x");
  EXPECT_EQ(BuildFilterFromUserMasks({"*.txt"}).Text, kBuiltInOpen + "ユーザ定義1 (*.txt)|*.txt");
}

TEST(BuildFilterFromUserMasks, NumbersGrowWithoutPadding) {
  std::vector<std::string> masks;
  for (char c = 'a'; c <= 'z' && masks.size() < 10; ++c) masks.push_back(std::string("*.") + c);
  std::string text = BuildFilterFromUserMasks(masks).Text;
  EXPECT_NE(text.find("|ユーザ定義9 (*.i)|*.i|ユーザ定義10 (*.j)|*.j"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 3), "*.j");
}

TEST(FilterHandOver, GrowsEntryByEntryAndEndsWithTheWholeString) {
  FilterString filter = BuildFilterFromUserMasks({"*.log", "*.bak"});
  std::vector<std::string> sequence = filter.HandOverSequence();
  ASSERT_EQ(sequence.size(), 21u);
  EXPECT_EQ(sequence[0], "すべてのファイル (*.*)|*.*|");
  EXPECT_EQ(sequence[1],
            "すべてのファイル (*.*)|*.*|ビットマップ イメージ (*.bmp;*dib)|*.bmp;*dib|");
  EXPECT_EQ(sequence[18], kBuiltInOpen);
  EXPECT_EQ(sequence[19], kBuiltInOpen + "ユーザ定義1 (*.log)|*.log|");
  EXPECT_EQ(sequence[20], filter.Text);
  for (std::size_t i = 1; i < sequence.size(); ++i) {
    EXPECT_NE(sequence[i], sequence[i - 1]);
    EXPECT_EQ(sequence[i].compare(0, sequence[i - 1].size(), sequence[i - 1]), 0);
  }
  EXPECT_EQ(BuildFilterFromUserMasks({}).HandOverSequence().back(), kBuiltInOnly);
}

TEST(BuiltInFileTypes, KeepTheirMasksAsWritten) {
  ASSERT_EQ(BuiltInFileTypes.size(), 19u);
  EXPECT_EQ(BuiltInFileTypes[1].Mask, "*.bmp;*dib");
  EXPECT_EQ(BuiltInFileTypes[2].Mask, "*.jpg;*jpeg;*jpe");
  EXPECT_EQ(BuiltInFileTypes[16].Mask, "*.mid;*.midi;*rmi");
}

}  // namespace
}  // namespace korvath
