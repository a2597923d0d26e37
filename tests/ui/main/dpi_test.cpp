// The three windows at 144 and 192 dots per inch: every control of the main
// window where the control table and the layout rule, scaled, put it, the
// fonts and owner-drawn lines at the density, nothing cut off by the status
// bar; the same after the window moves to a monitor of another density; and
// the About box and the options dialog scaled. Wine reads its density once
// per wine server, so the windows here read theirs through OverrideWindowDpi.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "CheckListBox.h"
#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "Layout.h"
#include "MainWindowFixture.h"
#include "OptionLayout.h"
#include "SetupControls.h"
#include "StringGrid.h"
#include "WindowDpi.h"

namespace korvath {
namespace {

Bounds ChildBounds(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

int FontHeight(HWND window) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

class DpiTest : public testsupport::MainWindowFixture {
 protected:
  DpiTest() : MainWindowFixture("korvath_dpi_") {}
  void TearDown() override {
    MainWindowFixture::TearDown();
    OverrideWindowDpi(0);
  }

  // Every row of the main window's table against its design bounds scaled,
  // or, for what follows the window's size, against the scaled rule.
  void ExpectLaidOutAt(Dpi dpi) {
    ASSERT_EQ(form_->LayoutDpi(), dpi);
    RECT outer, client, barClient;
    GetWindowRect(form_->Handle(), &outer);
    GetClientRect(form_->Handle(), &client);
    GetClientRect(controls_->StatusBar1, &barClient);
    const Bounds bar = ChildBounds(controls_->StatusBar1);
    EXPECT_EQ(bar, (Bounds{0, client.bottom - dpi.Scale(19), client.right, dpi.Scale(19)}));
    const MainWindowLayout rule = ComputeMainWindowLayout(
        {outer.right - outer.left, client.right, client.bottom, bar.height, barClient.right}, dpi);
    auto expected = [&](const SetupRow& row, Bounds actual) {
      const Bounds design = Scaled(row.bounds, dpi);
      const std::string name = row.name;
      if (name == "Panel5") return rule.browserColumn;
      if (name == "CheckListBox1") return rule.checkList;
      if (name == "Panel9") return rule.previewPanel;
      if (name == "StringGrid1") return rule.grid;
      if (name == "Panel10") {
        return NamingColumnBounds(rule.previewPanel, rule.namingColumnWidth, 2);
      }
      if (name == "StatusBar1") return actual;  // checked above
      if (name == "Bevel1") return Bounds{0, 0, client.right, dpi.Scale(8)};
      if (name == "DriveComboBox1") return Bounds{0, 0, rule.driveSelectorWidth, actual.height};
      if (name == "DirectoryListBox1") {
        return Bounds{0, rule.browserColumn.height - rule.folderListHeight,
                      rule.browserColumn.width, rule.folderListHeight};
      }
      if (name == "SpeedButton13" || name == "SpeedButton14" || name == "SpeedButton15") {
        const ButtonPlace place = rule.toolButtons[name.back() - '3'];
        return Bounds{place.left, place.top, design.width, design.height};
      }
      if (name == "Panel4")
        return Bounds{design.left, design.top, rule.samplePanelWidth, design.height};
      // Labels are as large as their captions; a drop-down's closed box is
      // as high as its font.
      if (row.kind == Kind::Label)
        return Bounds{design.left, design.top, actual.width, actual.height};
      if (row.kind == Kind::ComboBox || row.kind == Kind::FilterComboBox) {
        return Bounds{design.left, design.top, design.width, actual.height};
      }
      return design;
    };
    int rows = 0;
    for (int i = 0; const SetupRow* row = RowById(ControlId(i)); ++i, ++rows) {
      SCOPED_TRACE(row->name);
      HWND control = ControlByName(row->name);
      ASSERT_TRUE(control);
      const Bounds actual = ChildBounds(control);
      EXPECT_EQ(actual, expected(*row, actual));
      // Speed buttons draw a glyph only and keep no font.
      if (row->kind != Kind::SpeedButton) {
        EXPECT_EQ(FontHeight(control), -dpi.FontHeight(row->font == FontKind::Sample ? 13 : 12));
      }
      // Nothing that shows reaches past its parent's client area.
      if (IsWindowVisible(control) && row->kind != Kind::StatusBar) {
        RECT parent;
        GetClientRect(GetParent(control), &parent);
        EXPECT_LE(actual.left + actual.width, parent.right);
        EXPECT_LE(actual.top + actual.height, parent.bottom);
      }
    }
    EXPECT_GT(rows, 40);
    // The Execute button stands wholly above the status bar.
    RECT execute;
    GetWindowRect(controls_->BitBtn1, &execute);
    MapWindowPoints(HWND_DESKTOP, form_->Handle(), reinterpret_cast<POINT*>(&execute), 2);
    EXPECT_LE(execute.bottom, bar.top);
    // Lines of the owner-drawn lists at the density.
    EXPECT_EQ(SendMessageW(controls_->CheckListBox1->Handle(), LB_GETITEMHEIGHT, 0, 0), dpi.Scale(16));
    EXPECT_EQ(SendMessageW(controls_->DirectoryListBox1->Handle(), LB_GETITEMHEIGHT, 0, 0),
              dpi.Scale(16));
    EXPECT_EQ(SendMessageW(controls_->StringGrid1->Handle(), LB_GETITEMHEIGHT, 0, 0),
              dpi.Scale(14) + 1);
    int edges[5] = {};
    SendMessageW(controls_->StatusBar1, SB_GETPARTS, 5, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[3] - edges[2], dpi.Scale(96));
    EXPECT_EQ(edges[4] - edges[3], dpi.Scale(24));
  }
};

TEST_F(DpiTest, At144And192EveryControlStandsWhereTheScaledRulePutsIt) {
  testsupport::MakeFile("a.txt", "x");
  OverrideWindowDpi(144);
  Start();
  {
    SCOPED_TRACE("opened at 144");
    // The least size: the client area left at 96, scaled, in today's frame.
    RECT outer;
    GetWindowRect(form_->Handle(), &outer);
    EXPECT_GE(outer.right - outer.left, Dpi{144}.Scale(521));
    EXPECT_GE(outer.bottom - outer.top, Dpi{144}.Scale(430));
    ExpectLaidOutAt(Dpi{144});
  }

  // A move to a 192 monitor: the system suggests the scaled outer rectangle.
  for (int to : {192, 96}) {
    SCOPED_TRACE(to);
    RECT outer;
    GetWindowRect(form_->Handle(), &outer);
    const Dpi from = form_->LayoutDpi();
    RECT suggested{outer.left, outer.top,
                   outer.left + MulDivRound(outer.right - outer.left, to, from.value),
                   outer.top + MulDivRound(outer.bottom - outer.top, to, from.value)};
    OverrideWindowDpi(to);
    SendMessageW(form_->Handle(), WM_DPICHANGED, MAKEWPARAM(to, to),
                 reinterpret_cast<LPARAM>(&suggested));
    Pump();
    GetWindowRect(form_->Handle(), &outer);
    EXPECT_EQ(outer.right - outer.left, suggested.right - suggested.left);
    ExpectLaidOutAt(Dpi{to});
  }
}

TEST_F(DpiTest, TheAboutBoxAndTheOptionsDialogScaleWithTheirDensity) {
  OverrideWindowDpi(144);
  Start();
  const Dpi dpi{144};
  RECT client;
  GetClientRect(about_->Handle(), &client);
  EXPECT_EQ(client.right, 630);
  EXPECT_EQ(client.bottom, 428);  // 427.5 away from zero
  EXPECT_EQ(ChildBounds(aboutControls_->BitBtn1), Scaled(Bounds{165, 250, 90, 25}, dpi));
  EXPECT_EQ(ChildBounds(aboutControls_->Panel4), Scaled(Bounds{70, 140, 341, 20}, dpi));
  EXPECT_EQ(FontHeight(aboutControls_->Panel1), -18);

  GetClientRect(option_->Handle(), &client);
  EXPECT_EQ(client.right, dpi.Scale(280));
  EXPECT_EQ(client.bottom, dpi.Scale(295));
  const OptionLayout layout = ComputeOptionLayout(client.right, client.bottom, dpi);
  auto bounds = [](HWND window) {
    const Bounds b = ChildBounds(window);
    return ControlBounds{b.left, b.top, b.width, b.height};
  };
  EXPECT_EQ(bounds(optionControls_->ListBox1), layout.ListBox1);
  EXPECT_EQ(bounds(optionControls_->BitBtn1), layout.BitBtn1);
  EXPECT_EQ(bounds(optionControls_->SpeedButton2), layout.SpeedButton2);
  EXPECT_EQ(bounds(optionControls_->Image1), layout.Image1);
  EXPECT_EQ(ChildBounds(optionControls_->BitBtn3), Scaled(Bounds{167, 48, 75, 25}, dpi));
  EXPECT_EQ(SendMessageW(optionControls_->ListBox1, LB_GETITEMHEIGHT, 0, 0), 24);
  // Its width stays fixed, at the scaled width.
  RECT outer;
  GetWindowRect(option_->Handle(), &outer);
  SetWindowPos(option_->Handle(), nullptr, 0, 0, 2000, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(option_->Handle(), &client);
  EXPECT_EQ(client.right, dpi.Scale(280));
}

}  // namespace
}  // namespace korvath
