#include "RenameSession.h"

#include <gtest/gtest.h>

#include "FileNames.h"
#include "PreviewRows.h"
#include "RenameTexts.h"
#include "SequenceNumber.h"
#include "TestDoubles.h"

namespace korvath {
namespace {

using testing::FakeFields;

std::vector<FileEntry> Entries(std::initializer_list<std::pair<const char*, bool>> list) {
  std::vector<FileEntry> files;
  for (const auto& [name, checked] : list) files.push_back({name, checked});
  return files;
}

using GridRows = std::vector<std::pair<std::string, std::string>>;

// Column 0 and column 1 of every row.
GridRows Grid(const PreviewRows& rows) {
  GridRows grid;
  for (std::size_t r = 0; r < rows.RowCount(); ++r) {
    grid.emplace_back(rows.Cell(0, r), rows.Cell(1, r));
  }
  return grid;
}

TEST(FileNames, ExtensionIsFromTheLastDotThatNoSeparatorFollows) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"a.bmp", ".bmp"},
      {"archive.tar.gz", ".gz"},
      {".htaccess", ".htaccess"},
      {"name.", "."},
      {"noext", ""},
      {"", ""},
      {"dir.d\\file", ""},
      {"C:file", ""},
      {"a.b:c", ""},
      {"表.txt", ".txt"},
      {"表", ""},  // 95 5C in Shift-JIS, never a "\\" in UTF-8
      {"x.ソ", ".ソ"},
      {"a.ソ", ".ソ"},
      {"x.表\\y", ""},
      {"café.JPG", ".JPG"},
      {"한글.텍스트", ".텍스트"},
      {"😀.😀", ".😀"},
      {"naïve", ""},
  };
  for (const auto& [name, expected] : cases) {
    EXPECT_EQ(ExtractExtension(name), expected) << name;
  }
}

TEST(FileNames, NamePartIsAfterTheLastSeparator) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"a.txt", "a.txt"},       {"dir\\a.txt", "a.txt"},     {"C:a.txt", "a.txt"}, {"C:\\d\\", ""},
      {"表ソ.txt", "表ソ.txt"}, {"d\\表\\ソ", "ソ"},         {"表\\x", "x"},       {"", ""},
      {"d\\表", "表"},          {"😀\\한글.txt", "한글.txt"}, {"C:café", "café"},
  };
  for (const auto& [path, expected] : cases) {
    EXPECT_EQ(ExtractNamePart(path), expected) << path;
  }
}

TEST(RenameSession, StartsWithSampleOne) {
  FakeFields fields;
  RenameSession session(fields);
  EXPECT_EQ(session.StartNumber, 1);
  EXPECT_EQ(session.DigitCount, 1);
  EXPECT_EQ(session.UpdateSample(), "1");
  EXPECT_EQ(session.SampleName, "1");
  EXPECT_EQ(session.StartNumberText(), "1");
  EXPECT_EQ(session.DigitCountText(), "1桁");
}

TEST(RenameSession, ComposesPrefixNumberSuffixAndExtension) {
  struct Case {
    std::string_view prefix, suffix, extension, own, expected;
  };
  const Case cases[] = {
      {"img_", "", ".jpg", ".bmp", "img_001.jpg"},
      {"img_", "", KeepExtension, ".bmp", "img_001.bmp"},
      {"img_", "", KeepExtension, "", "img_001"},
      {"img_", "", "jpg", ".bmp", "img_001jpg"},
      {"img_", "", "", ".bmp", "img_001"},
      {"", "_s", ".txt", "", "001_s.txt"},
      // Only the exact text keeps the extension.
      {"img_", "", "(変更なし) ", ".bmp", "img_001(変更なし) "},
      // Used as typed, however unusable as a file name.
      {"sub\\*?", "<>", ".x", "", "sub\\*?001<>.x"},
  };
  FakeFields fields;
  RenameSession session(fields);
  session.DigitCount = 3;
  for (const Case& c : cases) {
    fields.Prefix = c.prefix;
    fields.Suffix = c.suffix;
    fields.Extension = c.extension;
    EXPECT_EQ(session.ComposeNewName(1, c.own), c.expected) << c.expected;
  }
}

TEST(RenameSession, ReadsTheFieldsAtEveryUse) {
  FakeFields fields;
  RenameSession session(fields);
  session.StartNumber = 12;
  session.DigitCount = 4;
  fields.Prefix = "a";
  EXPECT_EQ(session.UpdateSample(), "a0012");
  fields.FullWidth = true;
  fields.Extension = ".jpg";
  EXPECT_EQ(session.UpdateSample(), "a００１２.jpg");
  EXPECT_EQ(session.StartNumberText(), "００１２");
  EXPECT_EQ(session.DigitCountText(), "４桁");
  fields.FullWidth = false;
  EXPECT_EQ(session.StartNumberText(), "0012");
}

TEST(RenameSession, DigitCountTextInFullWidth) {
  EXPECT_EQ(DigitCountText(3, false), "3桁");
  EXPECT_EQ(DigitCountText(10, true), "１０桁");
}

TEST(RenameSession, StartNumberStepsClampToTheirLimits) {
  struct Case {
    int start, step, expected;
  };
  const Case cases[] = {
      {0, -1, 0},
      {5, -10000, 0},
      {1999995000, 10000, 2000000000},
      {2000000000, 1, 2000000000},
      {1999999999, 1, 2000000000},
      {1, 1, 2},
      {100, -100, 0},
      {1, 10000, 10001},
  };
  FakeFields fields;
  RenameSession session(fields);
  for (const Case& c : cases) {
    session.StartNumber = c.start;
    session.StepStartNumber(c.step);
    EXPECT_EQ(session.StartNumber, c.expected) << c.start << " + " << c.step;
  }
}

TEST(RenameSession, DigitCountStaysWithinOneToTen) {
  FakeFields fields;
  RenameSession session(fields);
  session.StepDigitCount(-1);
  EXPECT_EQ(session.DigitCount, 1);
  for (int i = 0; i < 12; ++i) session.StepDigitCount(1);
  EXPECT_EQ(session.DigitCount, 10);
  session.StepDigitCount(-1);
  EXPECT_EQ(session.DigitCount, 9);
}

TEST(RenameSession, CountTextCountsEveryListedFile) {
  FakeFields fields;
  RenameSession session(fields);
  EXPECT_EQ(session.FileCountText(), "0個存在");
  session.Files = Entries({{"a", true}, {"b", false}, {"c", true}, {"d", false}, {"e", false}});
  EXPECT_EQ(session.FileCountText(), "5個存在");
  EXPECT_EQ(CompletedCountText(3), "3個完了");
}

TEST(PreviewColumns, HalfTheOuterWidthLessThirteenAndTwelve) {
  const std::pair<int, PreviewColumnWidths> cases[] = {
      {133, {53, 54}}, {134, {54, 55}}, {0, {-13, -12}}, {-3, {-14, -13}}};
  for (const auto& [width, expected] : cases) {
    const PreviewColumnWidths got = ComputePreviewColumnWidths(width);
    EXPECT_EQ(got.Column0, expected.Column0) << width;
    EXPECT_EQ(got.Column1, expected.Column1) << width;
  }
}

TEST(Preview, EmptyStateWithNothingChecked) {
  FakeFields fields;
  RenameSession session(fields);
  PreviewRows rows;
  session.Files = Entries({{"a", false}, {"b", false}});
  session.RefreshPreview(rows);
  EXPECT_EQ(rows.GetState(), PreviewRows::State::Empty);
  EXPECT_EQ(Grid(rows), (GridRows{{" (未選択)", ""}}));
  EXPECT_FALSE(rows.ExecuteEnabled());
  EXPECT_FALSE(session.ExecuteEnabled());

  session.Files[1].Checked = true;
  session.RefreshPreview(rows);
  EXPECT_TRUE(rows.ExecuteEnabled());
  EXPECT_TRUE(session.ExecuteEnabled());
  EXPECT_EQ(rows.RowCount(), 1u);
}

TEST(Preview, OneRowPerCheckedFileInListOrder) {
  FakeFields fields;
  fields.Prefix = "img_";
  RenameSession session(fields);
  session.DigitCount = 3;
  session.Files =
      Entries({{"a.bmp", true}, {"skip.txt", false}, {"b.png", true}, {"c", true}, {"d", false}});
  PreviewRows rows;

  fields.Extension = ".jpg";
  session.RefreshPreview(rows);
  EXPECT_EQ(Grid(rows),
            (GridRows{{"a.bmp", "img_001.jpg"}, {"b.png", "img_002.jpg"}, {"c", "img_003.jpg"}}));
  EXPECT_EQ(rows.FileIndex(0), 0u);
  EXPECT_EQ(rows.FileIndex(1), 2u);
  EXPECT_EQ(rows.FileIndex(2), 3u);

  fields.Extension = KeepExtension;
  session.RefreshPreview(rows);
  EXPECT_EQ(Grid(rows),
            (GridRows{{"a.bmp", "img_001.bmp"}, {"b.png", "img_002.png"}, {"c", "img_003"}}));

  // A smaller rebuild leaves nothing of the larger one behind.
  session.Files[0].Checked = false;
  session.Files[3].Checked = false;
  session.StartNumber = 7;
  session.RefreshPreview(rows);
  EXPECT_EQ(Grid(rows), (GridRows{{"b.png", "img_007.png"}}));
  EXPECT_EQ(rows.Cell(0, 1), "");
  EXPECT_EQ(rows.Cell(2, 0), "");
}

TEST(Preview, NumbersAreNotClampedAndFollowFullWidth) {
  FakeFields fields;
  fields.Extension = ".x";
  RenameSession session(fields);
  session.StartNumber = 1999999999;
  session.Files = Entries({{"a", true}, {"b", true}, {"c", true}});
  PreviewRows rows;
  session.RefreshPreview(rows);
  EXPECT_EQ(rows.Cell(1, 0), "1999999999.x");
  EXPECT_EQ(rows.Cell(1, 1), "2000000000.x");
  EXPECT_EQ(rows.Cell(1, 2), "2000000001.x");

  fields.FullWidth = true;
  session.StartNumber = 12;
  session.DigitCount = 4;
  session.RefreshPreview(rows);
  EXPECT_EQ(rows.Cell(1, 2), "００１４.x");
}

TEST(Preview, CompletedStateReplacesTheRows) {
  FakeFields fields;
  RenameSession session(fields);
  session.Files = Entries({{"a", true}});
  PreviewRows rows;
  session.RefreshPreview(rows);
  rows.SetCompleted();
  EXPECT_EQ(Grid(rows), (GridRows{{"", " (変更完了)"}}));
  EXPECT_FALSE(rows.ExecuteEnabled());
}

}  // namespace
}  // namespace korvath
