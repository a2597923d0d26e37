// The windows' arithmetic against worked examples: the main window's layout
// rule, the options dialog's, the Home-key glide and the folder list's lines.
// Nothing here needs a window, so it runs natively as well as under Wine.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "Dpi.h"
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

  // An English time needing more than its share takes it from the name's
  // panel, which keeps a third of its own; a shorter one changes nothing.
  struct Case {
    int timePanelWidth;
    std::array<int, 5> widths;
  };
  for (const Case& c : {Case{0, {180, 120, 180, 96, 24}}, Case{150, {180, 120, 180, 96, 24}},
                        Case{200, {160, 120, 200, 96, 24}}, Case{400, {60, 120, 300, 96, 24}}}) {
    SCOPED_TRACE(c.timePanelWidth);
    EXPECT_EQ(ComputeMainWindowLayout({608, 600, 400, 19, 600, c.timePanelWidth}).statusPanelWidths,
              c.widths);
  }
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

TEST(DpiScaling, RoundsAsTheSystemDoesAndKeepsEveryLengthAt96) {
  struct Case {
    int a, b, c, expected;
  };
  // Halves go away from zero, as MulDiv rounds them.
  for (const Case& k :
       {Case{12, 144, 96, 18}, Case{13, 144, 96, 20}, Case{11, 144, 96, 17}, Case{-3, 144, 96, -5},
        Case{1, 120, 96, 1}, Case{521, 144, 96, 782}, Case{7, 96, 144, 5}, Case{-7, 96, 144, -5},
        Case{2000000000, 2, 4, 1000000000}}) {
    SCOPED_TRACE(testing::Message() << k.a << " * " << k.b << " / " << k.c);
    EXPECT_EQ(MulDivRound(k.a, k.b, k.c), k.expected);
  }
  for (int length = -50; length <= 2000; ++length) {
    ASSERT_EQ(Dpi{}.Scale(length), length);
    ASSERT_EQ(Dpi{}.Unscale(length), length);
    // A stored position read and written again stays what it was.
    for (int dpi : {120, 144, 168, 192, 288}) {
      ASSERT_EQ(Dpi{dpi}.Unscale(Dpi{dpi}.Scale(length)), length) << dpi;
    }
  }
  EXPECT_EQ(ValidDpi(0), Dpi{96});
  EXPECT_EQ(ValidDpi(144), Dpi{144});
  // The five step buttons, 20 wide at x 0 to 80, still touch at 144: each
  // width is the difference of its scaled edges.
  int right = 0;
  for (int left = 0; left <= 80; left += 20) {
    Bounds b = Scaled(Bounds{left, 0, 20, 15}, Dpi{144});
    EXPECT_EQ(b.left, right);
    EXPECT_EQ(b.height, 23);  // 22.5 rounded away from zero
    right = b.left + b.width;
  }
  EXPECT_EQ(right, 150);
}

TEST(MainWindowLayout, ScalesWithTheWindowsDensityAndKeepsItsSeams) {
  // At 96 a stated density changes nothing.
  EXPECT_EQ(ComputeMainWindowLayout({608, 600, 400, 19, 600}, Dpi{96}).previewPanel,
            ComputeMainWindowLayout({608, 600, 400, 19, 600}).previewPanel);
  for (int dpi : {120, 144, 192}) {
    SCOPED_TRACE(dpi);
    const Dpi d{dpi};
    const int cw = d.Scale(600), ch = d.Scale(400), sbh = d.Scale(19);
    MainWindowLayout out = ComputeMainWindowLayout({d.Scale(608), cw, ch, sbh, cw}, d);
    EXPECT_EQ(out.namingColumnWidth, d.Scale(145) + d.Scale(10));
    EXPECT_EQ(out.browserColumn.left, d.Scale(10));
    EXPECT_EQ(out.checkList.left, out.browserColumn.left + out.browserColumn.width);
    EXPECT_EQ(out.previewPanel.left, out.checkList.left + out.checkList.width + d.Scale(10));
    EXPECT_EQ(out.previewPanel.left + out.previewPanel.width, cw - d.Scale(10));
    EXPECT_EQ(out.previewPanel.top + out.previewPanel.height, ch - sbh - d.Scale(10));
    EXPECT_EQ(out.checkList.top + out.checkList.height, ch - sbh - d.Scale(10));
    EXPECT_EQ(out.folderListHeight, out.browserColumn.height - d.Scale(18));
    // Each length is within a pixel or two of the design's, scaled.
    EXPECT_NEAR(out.checkList.width, d.Scale(114), 2);
    EXPECT_NEAR(out.grid.width, d.Scale(168), 3);
    EXPECT_EQ(out.gridColumn0 + out.gridColumn1,
              out.grid.width / 2 * 2 - d.Scale(13) - d.Scale(12));
    const auto& panels = out.statusPanelWidths;
    EXPECT_EQ(panels[3], d.Scale(96));
    EXPECT_EQ(panels[4], d.Scale(24));
    EXPECT_LE(panels[0] + panels[1] + panels[2] + panels[3] + panels[4], cw);
    EXPECT_EQ(out.toolButtons[1], (ButtonPlace{d.Scale(140), d.Scale(10)}));
  }
  // The worked example at twice the density: the panels double exactly.
  EXPECT_EQ(ComputeMainWindowLayout({1216, 1200, 800, 38, 1200}, Dpi{192}).statusPanelWidths,
            (std::array<int, 5>{360, 240, 360, 192, 48}));
}

TEST(OptionLayout, ScalesWithTheDialogsDensity) {
  EXPECT_EQ(ComputeOptionLayout(280, 295, Dpi{96}).ListBox1, (ControlBounds{38, 80, 121, 170}));
  OptionLayout at144 = ComputeOptionLayout(420, 443, Dpi{144});
  EXPECT_EQ(at144.ListBox1, (ControlBounds{57, 120, 182, 443 - 120 - 38 - 30}));
  EXPECT_EQ(at144.BitBtn1, (ControlBounds{218, 443 - 38 - 15, 135, 38}));
  EXPECT_EQ(at144.BitBtn2.Left + at144.BitBtn2.Width + 15, at144.BitBtn1.Left);  // the 10-pixel gap
  EXPECT_EQ(at144.Image1, (ControlBounds{420 - 48, 443 - 23, 48, 23}));
  EXPECT_EQ(at144.SpeedButton2.Top - (at144.SpeedButton1.Top + at144.SpeedButton1.Height), 12);
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
