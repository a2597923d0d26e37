// The windows' arithmetic against worked examples: the main window's layout
// rule, the options dialog's, the Home-key glide and the folder list's lines.
// Nothing here needs a window, so it runs natively as well as under Wine.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "FolderLines.h"
#include "GlidePath.h"
#include "Layout.h"
#include "OptionLayout.h"

namespace korvath {
namespace {

TEST(MainWindowLayout, WorkedExampleAndSmallestWindow) {
  MainWindowLayout out = ComputeMainWindowLayout({608, 600, 400, 19, 600});
  EXPECT_EQ(out.browserColumn, (Bounds{10, 36, 114, 335}));
  EXPECT_EQ(out.driveSelectorWidth, 114);
  EXPECT_EQ(out.folderListHeight, 317);
  EXPECT_EQ(out.checkList, (Bounds{124, 36, 114, 335}));
  EXPECT_EQ(out.grid, (Bounds{8, 23, 168, 328}));
  EXPECT_EQ(out.gridColumn0, 71);
  EXPECT_EQ(out.gridColumn1, 72);
  EXPECT_EQ(out.previewPanel, (Bounds{248, 10, 342, 361}));
  EXPECT_EQ(out.statusPanelWidths, (std::array<int, 5>{180, 120, 180, 96, 24}));
  EXPECT_EQ(out.namingColumnWidth, 155);
  EXPECT_EQ(out.toolButtons[2], (ButtonPlace{164, 10}));

  MainWindowLayout small = ComputeMainWindowLayout({521, 513, 361, 19, 513});
  EXPECT_EQ(small.checkList.width, 90);
  EXPECT_EQ(small.checkList.left, 100);
  // The check list ends where Panel9 begins less 10, which ends 10 before
  // the client edge.
  EXPECT_EQ(small.previewPanel.left, small.checkList.left + small.checkList.width + 10);
  EXPECT_EQ(small.previewPanel.left + small.previewPanel.width, 513 - 10);
}

TEST(OptionLayout, KeepsTheListAndButtonsAttachedToTheBottom) {
  OptionLayout at295 = ComputeOptionLayout(280, 295);
  EXPECT_EQ(at295.ListBox1, (ControlBounds{38, 80, 121, 170}));
  EXPECT_EQ(at295.BitBtn1, (ControlBounds{145, 260, 90, 25}));
  EXPECT_EQ(at295.BitBtn2, (ControlBounds{45, 260, 90, 25}));
  EXPECT_EQ(at295.SpeedButton1.Top, 137);
  EXPECT_EQ(at295.SpeedButton2.Top, 169);
  EXPECT_EQ(at295.Image1, (ControlBounds{248, 280, 32, 15}));
  OptionLayout at400 = ComputeOptionLayout(280, 400);
  EXPECT_EQ(at400.ListBox1.Height, 275);
  EXPECT_EQ(at400.SpeedButton1.Top, 80 + 137 - 24 - 4);  // 275 / 2 truncated is 137
  EXPECT_EQ(at400.SpeedButton2.Top, 80 + 137 + 4);
}

struct GlideCase {
  const char* name;
  int screenWidth, screenHeight;
  GlidePoint from;
  int width, height;
  GlidePoint step, afterNinth, end;
};

TEST(GlidePath, MatchesWorkedExamples) {
  const GlideCase cases[] = {
      {"from the top-left corner", 1024, 768, {0, 0}, 521, 430, {25, 16}, {225, 144}, {251, 169}},
      {"from below right, steps truncated toward zero",
       1024,
       768,
       {700, 500},
       521,
       430,
       {-44, -33},
       {304, 203},
       {251, 169}},
      {"already centred: ten stops in place",
       1024,
       768,
       {251, 169},
       521,
       430,
       {0, 0},
       {251, 169},
       {251, 169}},
      {"larger than the screen: negative target",
       1024,
       768,
       {0, 0},
       1600,
       1200,
       {-28, -21},
       {-252, -189},
       {-288, -216}},
      {"odd remainders are not rounded",
       800,
       600,
       {3, 7},
       301,
       201,
       {24, 19},
       {219, 178},
       {249, 199}},
  };
  for (const GlideCase& c : cases) {
    SCOPED_TRACE(c.name);
    const GlidePoint target = GlideTarget(c.screenWidth, c.screenHeight, c.width, c.height);
    EXPECT_EQ(target, c.end);
    EXPECT_EQ(GlideStep(c.from, target), c.step);
    const auto path = GlidePath(c.from, target);
    EXPECT_EQ(path[0], (GlidePoint{c.from.left + c.step.left, c.from.top + c.step.top}));
    EXPECT_EQ(path[kGlideSteps - 1], c.afterNinth);
    EXPECT_EQ(path[kGlideSteps], c.end);
  }
}

TEST(FolderLines, PathsAndOffsetsOfEveryLine) {
  const std::string folder = "C:\\DATA\\PHOTOS";
  auto lines = BuildFolderLines(folder, {"2004", "表"});
  ASSERT_EQ(lines.size(), 5u);
  const char* texts[] = {"C:\\", "DATA", "PHOTOS", "2004", "表"};
  const char* paths[] = {"C:\\", "C:\\DATA", "C:\\DATA\\PHOTOS", "C:\\DATA\\PHOTOS\\2004",
                         "C:\\DATA\\PHOTOS\\表"};
  const int lefts[] = {2, 6, 10, 14, 14};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(lines[static_cast<std::size_t>(i)].Text, texts[i]);
    EXPECT_EQ(FolderLinePath(folder, lines, i), paths[i]);
    EXPECT_EQ(lines[static_cast<std::size_t>(i)].GlyphLeft, lefts[i]);
  }
  auto atRoot = BuildFolderLines("C:\\", {"WINDOWS"});
  ASSERT_EQ(atRoot.size(), 2u);
  EXPECT_EQ(atRoot[0].Glyph, FolderGlyph::Current);
  EXPECT_EQ(atRoot[1].GlyphLeft, 10);
  EXPECT_EQ(FolderLinePath("C:\\", atRoot, 1), "C:\\WINDOWS");  // no doubled "\"
  auto network = BuildFolderLines("\\\\SERVER\\SHARE\\表\\x", {});
  ASSERT_EQ(network.size(), 3u);
  EXPECT_EQ(network[0].Text, "\\\\SERVER\\SHARE\\");
  EXPECT_EQ(network[1].Text, "表");
  EXPECT_EQ(FolderLinePath("\\\\SERVER\\SHARE\\表\\x", network, 1), "\\\\SERVER\\SHARE\\表");
}

TEST(FolderLines, ParentFolderOfMixedScriptPaths) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\DATA\\PHOTOS", "C:\\DATA\\"},
      {"C:\\DATA", "C:\\"},
      {"C:\\", ""},
      {"C:\\表", "C:\\"},
      {"C:\\x\\表", "C:\\x\\"},
      {"C:\\ソ\\a", "C:\\ソ\\"},
      {"C:\\表示\\ソフト", "C:\\表示\\"},
      {"C:\\한글\\😀", "C:\\한글\\"},
      {"C:\\café\\", "C:\\"},  // the last character is never the "\\" looked for
      {"\\\\srv\\share\\dir", "\\\\srv\\share\\"},
      {"\\\\srv\\share\\", ""},  // a share's root is a root
      {"\\\\srv\\share", ""},
  };
  for (const auto& [folder, parent] : cases) EXPECT_EQ(ParentFolderPath(folder), parent) << folder;
}

}  // namespace
}  // namespace korvath
