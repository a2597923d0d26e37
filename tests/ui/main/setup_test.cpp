// The main window in-process: created in start-up order in a temporary
// folder, driven through real messages (clicks, keys, notifications, menu
// commands), checked on what a user sees and on the files on disk.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "About.h"
#include "Application.h"
#include "CheckListBox.h"
#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "FileListBox.h"
#include "FilterComboBox.h"
#include "HookedRenames.h"
#include "IoError.h"
#include "Layout.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "Option.h"
#include "PreviewRows.h"
#include "RenameSession.h"
#include "Setup.h"
#include "StatusBar.h"
#include "StringGrid.h"
#include "UserInput.h"
#include "Win32FileSystem.h"

namespace korvath {
namespace {

using testsupport::FileExists;

void WriteFile(const std::string& name, size_t bytes = 10) {
  testsupport::MakeFile(name, std::string(bytes, 'x'));
}

// Bounds of a child within its parent's client area.
RECT ChildBounds(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class SetupWindowTest : public testsupport::MainWindowFixture {
 protected:
  SetupWindowTest() : MainWindowFixture("korvath_setup_") { dialogKeys_ = true; }

  void ClickButton(HWND button) { ClickAt(button, 5, 5); }

  void Key(HWND window, WPARAM key) {
    testsupport::PressKey(window, key);
    Pump();
  }

  // Types text into an editable drop-down, as keystrokes.
  void Type(HWND combo, const std::string& text) {
    testsupport::TypeText(GetWindow(combo, GW_CHILD), text);
    Pump();
  }

  void PickFileType(int index) {
    HWND combo = controls_->FilterComboBox1->Handle();
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    Pump();
  }

  void OpenMenu(HMENU menu) {
    SendMessageW(form_->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  }

  // A click on line index of the check list: on its box or on its name.
  void ClickLine(int index, bool onBox) {
    HWND list = controls_->CheckListBox1->Handle();
    int top = controls_->CheckListBox1->TopIndex();
    ClickAt(list, onBox ? 8 : 60, (index - top) * TCheckListBox::kItemHeight + 8);
  }

  std::string Text(HWND window) { return TSetupForm1::WindowText(window); }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const FileEntry& entry : form_->Session().Files) names.push_back(entry.Name);
    return names;
  }
  std::vector<bool> Marks() {
    std::vector<bool> marks;
    for (const FileEntry& entry : form_->Session().Files) marks.push_back(entry.Checked);
    return marks;
  }
  std::vector<std::pair<std::string, std::string>> Grid() {
    Pump();  // the whole list's names and marks
    std::vector<std::pair<std::string, std::string>> rows;
    TStringGrid& grid = *controls_->StringGrid1;
    for (size_t r = 0; r < grid.RowCount(); ++r) {
      rows.emplace_back(std::string(grid.Cell(0, r)), std::string(grid.Cell(1, r)));
    }
    return rows;
  }
  bool ExecuteEnabled() { return IsWindowEnabled(controls_->BitBtn1) != FALSE; }
};

using Rows = std::vector<std::pair<std::string, std::string>>;

TEST_F(SetupWindowTest, StartsWithEmptyStatusBarAndInitialDisplays) {
  WriteFile("b.txt");
  WriteFile("a.txt");
  Start();
  EXPECT_EQ(Text(form_->Handle()), "Korvath ver1.7");
  RECT outer;
  GetWindowRect(form_->Handle(), &outer);
  EXPECT_EQ(outer.right - outer.left, 521);
  EXPECT_EQ(outer.bottom - outer.top, 430);
  for (int panel = 0; panel < 5; ++panel) EXPECT_EQ(Status(panel), "") << panel;
  EXPECT_EQ(Text(controls_->Panel2), "1");
  EXPECT_EQ(Text(controls_->Panel3), "1桁");
  EXPECT_EQ(Text(controls_->Panel4), "1");
  EXPECT_EQ(Text(controls_->ComboBox3), "(変更なし)");
  EXPECT_EQ(SendMessageW(controls_->ComboBox3, CB_GETCOUNT, 0, 0), 12);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(Grid(), (Rows{{" (未選択)", ""}}));
  EXPECT_FALSE(ExecuteEnabled());
  EXPECT_EQ(GetFocus(), controls_->DriveComboBox1->Handle());
  EXPECT_EQ(form_->ShownFolder(), folder_);
}

TEST_F(SetupWindowTest, ControlsStandAtTheirDesignPlaces) {
  Start();
  struct Case {
    HWND control;
    RECT bounds;  // left, top, right, bottom within the parent
  } cases[] = {
      {controls_->Label9, {10, 8, 0, 0}},
      {controls_->Panel4, {0, 23, 145, 43}},
      {controls_->FilterComboBox1->Handle(), {0, 63, 145, 0}},
      {controls_->ComboBox1, {0, 103, 145, 0}},
      {controls_->Panel1, {0, 143, 104, 162}},
      {controls_->Panel2, {0, 162, 104, 182}},
      {controls_->Panel6, {0, 182, 104, 201}},
      {controls_->Panel7, {109, 143, 144, 162}},
      {controls_->Panel3, {109, 162, 144, 182}},
      {controls_->Panel8, {109, 183, 144, 202}},
      {controls_->CheckBox1, {44, 205, 145, 222}},
      {controls_->ComboBox2, {0, 240, 145, 0}},
      {controls_->ComboBox3, {0, 280, 145, 0}},
      {controls_->BitBtn1, {27, 308, 117, 333}},
      {controls_->SpeedButton1, {0, 0, 20, 15}},
      {controls_->SpeedButton5, {80, 0, 100, 15}},
      {controls_->SpeedButton10, {80, 0, 100, 15}},
      {controls_->SpeedButton11, {0, 0, 31, 15}},
      {controls_->SpeedButton13, {108, 10, 132, 34}},
      {controls_->SpeedButton14, {140, 10, 164, 34}},
      {controls_->SpeedButton15, {164, 10, 188, 34}},
  };
  for (const Case& c : cases) {
    RECT actual = ChildBounds(c.control);
    EXPECT_EQ(actual.left, c.bounds.left) << Text(c.control);
    EXPECT_EQ(actual.top, c.bounds.top) << Text(c.control);
    if (c.bounds.right) {
      EXPECT_EQ(actual.right, c.bounds.right) << Text(c.control);
    }
    if (c.bounds.bottom) {
      EXPECT_EQ(actual.bottom, c.bounds.bottom) << Text(c.control);
    }
  }
  EXPECT_EQ(Text(controls_->BitBtn1), "実行");
  EXPECT_EQ(Text(controls_->CheckBox1), "全角数字にする");
  EXPECT_EQ(Text(controls_->Label8), "対象ファイル選択:");
  EXPECT_FALSE(IsWindowVisible(controls_->Edit1));
  EXPECT_FALSE(IsWindowVisible(controls_->FileListBox1->Handle()));
}

TEST_F(SetupWindowTest, ResizingFollowsTheLayoutRule) {
  Start();
  // Find the outer size whose client area is 600 x 400 on this platform.
  RECT outer, client;
  GetWindowRect(form_->Handle(), &outer);
  GetClientRect(form_->Handle(), &client);
  int frameWidth = (outer.right - outer.left) - client.right;
  int frameHeight = (outer.bottom - outer.top) - client.bottom;
  SetWindowPos(form_->Handle(), nullptr, 0, 0, 600 + frameWidth, 400 + frameHeight,
               SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  GetWindowRect(form_->Handle(), &outer);
  RECT bar;
  GetWindowRect(controls_->StatusBar1, &bar);
  ASSERT_EQ(bar.bottom - bar.top, 19);
  LayoutInput in{outer.right - outer.left, 600, 400, 19, 600};
  MainWindowLayout expected = ComputeMainWindowLayout(in);

  RECT list = ChildBounds(controls_->CheckListBox1->Handle());
  EXPECT_EQ(list.left, expected.checkList.left);
  EXPECT_EQ(list.top, 36);
  EXPECT_EQ(list.right - list.left, expected.checkList.width);
  EXPECT_EQ(list.bottom - list.top, 335);
  RECT folders = ChildBounds(controls_->DirectoryListBox1->Handle());
  EXPECT_EQ(folders.bottom - folders.top, 317);
  RECT grid = ChildBounds(controls_->StringGrid1->Handle());
  EXPECT_EQ(grid.left, 8);
  EXPECT_EQ(grid.top, 23);
  EXPECT_EQ(grid.right - grid.left, 168);
  EXPECT_EQ(grid.bottom - grid.top, 328);
  EXPECT_EQ(controls_->StringGrid1->ColumnWidth(0), 71);
  EXPECT_EQ(controls_->StringGrid1->ColumnWidth(1), 72);
  RECT panel9 = ChildBounds(controls_->Panel9);
  EXPECT_EQ(panel9.top, 10);
  EXPECT_EQ(panel9.bottom - panel9.top, 361);
  EXPECT_EQ(panel9.right, 590);  // 10 pixels before the client area's edge
  int edges[5] = {};
  SendMessageW(controls_->StatusBar1, SB_GETPARTS, 5, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(edges[0], 180);
  EXPECT_EQ(edges[1], 300);
  EXPECT_EQ(edges[2], 480);
  EXPECT_EQ(edges[3], 576);
  EXPECT_EQ(edges[4], 600);

  // Size limits: 521 x 430 to 1600 x 1200.
  SetWindowPos(form_->Handle(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(form_->Handle(), &outer);
  EXPECT_EQ(outer.right - outer.left, 521);
  EXPECT_EQ(outer.bottom - outer.top, 430);
  list = ChildBounds(controls_->CheckListBox1->Handle());
  EXPECT_EQ(list.right - list.left, 90);
  SetWindowPos(form_->Handle(), nullptr, 0, 0, 2000, 1500, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(form_->Handle(), &outer);
  EXPECT_EQ(outer.right - outer.left, 1600);
  EXPECT_EQ(outer.bottom - outer.top, 1200);
}

TEST_F(SetupWindowTest, TypicalUseRenamesTheCheckedFilesInNameOrder) {
  for (const char* name : {"img1.jpg", "img10.jpg", "img2.jpg", "Img3.jpg", "note.txt"}) {
    WriteFile(name);
  }
  Start();
  EXPECT_EQ(Names(), (std::vector<std::string>{"img1.jpg", "img10.jpg", "img2.jpg", "Img3.jpg",
                                               "note.txt"}));
  PickFileType(2);  // JPEG
  EXPECT_EQ(Names(), (std::vector<std::string>{"img1.jpg", "img10.jpg", "img2.jpg", "Img3.jpg"}));
  EXPECT_EQ(Status(3), "4個存在");

  ClickButton(controls_->SpeedButton14);  // check all
  EXPECT_EQ(Marks(), (std::vector<bool>{true, true, true, true}));
  EXPECT_TRUE(ExecuteEnabled());
  Type(controls_->ComboBox1, "trip_");
  ClickButton(controls_->SpeedButton11);
  ClickButton(controls_->SpeedButton11);
  EXPECT_EQ(Text(controls_->Panel3), "3桁");
  EXPECT_EQ(Text(controls_->Panel2), "001");
  EXPECT_EQ(Text(controls_->Panel4), "trip_001");
  EXPECT_EQ(Grid(), (Rows{{"img1.jpg", "trip_001.jpg"},
                          {"img10.jpg", "trip_002.jpg"},
                          {"img2.jpg", "trip_003.jpg"},
                          {"Img3.jpg", "trip_004.jpg"}}));

  ClickButton(controls_->BitBtn1);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "ファイル名の変換を行います。\n\nよろしいですか？");
  EXPECT_EQ(boxes_[0].caption, "情報");
  EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
  for (const char* name : {"trip_001.jpg", "trip_002.jpg", "trip_003.jpg", "trip_004.jpg"}) {
    EXPECT_TRUE(FileExists(name)) << name;
  }
  EXPECT_FALSE(FileExists("img1.jpg"));
  EXPECT_TRUE(FileExists("note.txt"));
  EXPECT_EQ(Status(3), "4個完了");
  EXPECT_EQ(Text(controls_->Panel2), "005");
  EXPECT_EQ(Text(controls_->Panel4), "trip_005");  // the sample follows the start number
  EXPECT_EQ(Names(), (std::vector<std::string>{"trip_001.jpg", "trip_002.jpg", "trip_003.jpg",
                                               "trip_004.jpg"}));
  EXPECT_EQ(Marks(), (std::vector<bool>(4, false)));
  EXPECT_EQ(controls_->CheckListBox1->TopIndex(), 0);
  EXPECT_EQ(Grid(), (Rows{{"", " (変更完了)"}}));
  EXPECT_FALSE(ExecuteEnabled());
}

TEST_F(SetupWindowTest, CollisionMidRunIsWarnedOnceAndUsesUpItsNumber) {
  for (const char* name : {"a.jpg", "b.png", "c.gif", "x2.png"}) WriteFile(name);
  Start();
  Type(controls_->ComboBox1, "x");
  ClickLine(0, true);
  ClickLine(1, true);
  ClickLine(2, true);
  EXPECT_EQ(Marks(), (std::vector<bool>{true, true, true, false}));
  // x2.png is taken: marked before the run.
  EXPECT_EQ(Grid(), (Rows{{"a.jpg", "x1.jpg"}, {"b.png", "※x2.png"}, {"c.gif", "x3.gif"}}));

  ClickButton(controls_->BitBtn1);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].text, "同じ名前のファイルが、既に存在します。\n\n変更ができませんでした。");
  EXPECT_EQ(boxes_[1].caption, "警告");
  EXPECT_EQ(boxes_[1].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_TRUE(FileExists("x1.jpg"));
  EXPECT_TRUE(FileExists("b.png"));
  EXPECT_TRUE(FileExists("x3.gif"));  // the name the preview showed
  EXPECT_TRUE(FileExists("x2.png"));
  EXPECT_EQ(Status(3), "2個完了");
  EXPECT_EQ(Text(controls_->Panel2), "4");
}

TEST_F(SetupWindowTest, UnusableNamesAreRefusedBeforeTheRunAndRefusedRenamesToldAfterIt) {
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) WriteFile(name);
  CreateDirectoryW(L"sub", nullptr);
  CreateDirectoryW(L"sub\\2.txt", nullptr);  // holds b.txt's new name
  Start();
  ClickButton(controls_->SpeedButton14);
  const UINT refusal = MB_OK | MB_ICONERROR;

  // Out of the shown folder: one box, no question, nothing renamed.
  for (const char* prefix : {"..\\", "C:", "\\"}) {
    SetFieldText(controls_->ComboBox1, prefix);
    const Rows before = Grid();
    boxes_.clear();
    ClickButton(controls_->BitBtn1);
    ASSERT_EQ(boxes_.size(), 1u) << prefix;
    EXPECT_EQ(boxes_[0].text,
              "新しい名前が、表示中のフォルダの外を指しています。\n\n変更ができませんでした。");
    EXPECT_EQ(boxes_[0].caption, "警告");
    EXPECT_EQ(boxes_[0].flags, refusal);
    EXPECT_EQ(Grid(), before);
    EXPECT_TRUE(ExecuteEnabled());
  }
  // Characters no name can hold: one box naming them all.
  SetFieldText(controls_->ComboBox1, "*?");
  SetFieldText(controls_->ComboBox2, "<");
  boxes_.clear();
  ClickButton(controls_->BitBtn1);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text,
            "ファイル名に使えない文字「* ? <」が含まれています。\n\n変更ができませんでした。");
  EXPECT_EQ(boxes_[0].flags, refusal);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(Text(controls_->Panel2), "1");

  // A subfolder still works; the one rename the system refuses is told
  // after the run, and the others get the preview's names.
  SetFieldText(controls_->ComboBox1, "sub\\");
  SetFieldText(controls_->ComboBox2, "");
  boxes_.clear();
  ClickButton(controls_->BitBtn1);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].caption, "情報");
  const std::string head = "1個のファイルは、名前を変更できませんでした。\n\nb.txt → sub\\2.txt：";
  EXPECT_EQ(boxes_[1].text.rfind(head, 0), 0u) << boxes_[1].text;
  EXPECT_GT(boxes_[1].text.size(), head.size());
  EXPECT_EQ(boxes_[1].caption, "警告");
  EXPECT_EQ(boxes_[1].flags, refusal);
  EXPECT_TRUE(FileExists("sub\\1.txt"));
  EXPECT_TRUE(FileExists("sub\\3.txt"));
  EXPECT_EQ(Names(), std::vector<std::string>{"b.txt"});
  EXPECT_EQ(Status(3), "2個完了");
  EXPECT_EQ(Text(controls_->Panel2), "4");
  EXPECT_EQ(Grid(), (Rows{{"", " (変更完了)"}}));
}

// Sizes of the files of the current folder, by name: each test file's size
// tells which one it was.
std::map<std::string, long> FileSizes(const std::vector<std::string>& names) {
  std::map<std::string, long> sizes;
  for (const std::string& name : names) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    sizes[name] = GetFileAttributesExW(Widen(name).c_str(), GetFileExInfoStandard, &data)
                      ? static_cast<long>(data.nFileSizeLow)
                      : -1;
  }
  return sizes;
}

// The marks come from the preview's own thread after the keystroke; Execute
// pressed before they came renames to the fields as they are then, and the
// result on its way when Execute was pressed never reaches the grid.
TEST_F(SetupWindowTest, ExecuteRightAfterAKeystrokeRenamesToTheLatestFields) {
  for (const char* name : {"a.txt", "b.txt", "n2.txt", "nx2.txt"}) WriteFile(name);
  Start();
  ClickLine(0, true);
  ClickLine(1, true);
  Type(controls_->ComboBox1, "n");
  EXPECT_EQ(Grid(), (Rows{{"a.txt", "n1.txt"}, {"b.txt", "※n2.txt"}}));
  EXPECT_EQ(Status(3), "4個存在 ※1");
  // Check all restarts the work: n2.txt now moves on to n3.txt, and no
  // name is taken.
  ClickButton(controls_->SpeedButton14);
  EXPECT_EQ(Grid()[1], (std::pair<std::string, std::string>{"b.txt", "n2.txt"}));
  EXPECT_EQ(Status(3), "4個存在");
  ClickButton(controls_->SpeedButton15);
  ClickLine(0, true);
  ClickLine(1, true);

  // "x" and Execute in one go, before the thread can answer.
  PostMessageW(GetWindow(controls_->ComboBox1, GW_CHILD), WM_CHAR, 'x', 1);
  PostMessageW(controls_->BitBtn1, BM_CLICK, 0, 0);
  Pump();
  EXPECT_TRUE(FileExists("nx1.txt"));
  EXPECT_TRUE(FileExists("b.txt")) << "nx2.txt is taken: b.txt keeps its name";
  EXPECT_FALSE(FileExists("a.txt"));
  EXPECT_EQ(Grid(), (Rows{{"", " (変更完了)"}}));
  EXPECT_FALSE(form_->PreviewPending());
}

TEST_F(SetupWindowTest, MarkedConflictsRenumberingInPlaceAndUndoAfterARestart) {
  const std::vector<std::string> numbered = {"p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg", "p5.jpg"};
  for (size_t i = 0; i < numbered.size(); ++i) WriteFile(numbered[i], i + 1);
  WriteFile("p7.jpg", 7);
  Start();
  for (int line = 0; line < 5; ++line) ClickLine(line, true);
  Type(controls_->ComboBox1, "p");
  for (int i = 0; i < 2; ++i) ClickButton(controls_->SpeedButton5);  // start 3

  // p5 -> p7 is held by the unchecked p7.jpg: p5 stays, so p3 -> p5 cannot
  // be given either, nor p1 -> p3. p2 -> p4 and p4 -> p6 can.
  EXPECT_EQ(Grid(), (Rows{{"p1.jpg", "※p3.jpg"},
                          {"p2.jpg", "p4.jpg"},
                          {"p3.jpg", "※p5.jpg"},
                          {"p4.jpg", "p6.jpg"},
                          {"p5.jpg", "※p7.jpg"}}));
  EXPECT_TRUE(form_->Preview().Marked(0));
  EXPECT_FALSE(form_->Preview().Marked(1));
  EXPECT_EQ(Status(3), "6個存在 ※3");
  // Reserved device names, and a number past the limit (the run would give
  // 2000000000 twice).
  SetFieldText(controls_->ComboBox1, "COM");
  EXPECT_EQ(Grid()[0], (std::pair<std::string, std::string>{"p1.jpg", "※COM3.jpg"}));
  EXPECT_EQ(Status(3), "6個存在 ※5");
  SetFieldText(controls_->ComboBox1, "q");
  form_->Session().StartNumber = 1999999999;
  form_->RefreshPreview();
  EXPECT_EQ(Grid()[1].second, "q2000000000.jpg");
  EXPECT_EQ(Grid()[2].second, "※q2000000001.jpg");
  EXPECT_EQ(Status(3), "6個存在 ※3");

  // Renumbering in place, start 2: no marks, no warning, every file gets
  // the name the preview showed.
  SetFieldText(controls_->ComboBox1, "p");
  form_->Session().StartNumber = 1;
  ClickButton(controls_->SpeedButton5);
  EXPECT_EQ(Grid(), (Rows{{"p1.jpg", "p2.jpg"},
                          {"p2.jpg", "p3.jpg"},
                          {"p3.jpg", "p4.jpg"},
                          {"p4.jpg", "p5.jpg"},
                          {"p5.jpg", "p6.jpg"}}));
  EXPECT_EQ(Status(3), "6個存在");
  boxes_.clear();
  ClickButton(controls_->BitBtn1);
  ASSERT_EQ(boxes_.size(), 1u) << boxes_.back().text;  // the question only
  EXPECT_EQ(FileSizes({"p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg", "p5.jpg", "p6.jpg", "p7.jpg"}),
            (std::map<std::string, long>{{"p1.jpg", -1},
                                         {"p2.jpg", 1},
                                         {"p3.jpg", 2},
                                         {"p4.jpg", 3},
                                         {"p5.jpg", 4},
                                         {"p6.jpg", 5},
                                         {"p7.jpg", 7}}));
  EXPECT_EQ(Status(3), "5個完了");
  EXPECT_EQ(Text(controls_->Panel2), "7");

  // After a restart, File > 元に戻す (above プロパティ) takes the run back.
  DestroyWindows();
  Start();
  ASSERT_GE(GetMenuItemCount(controls_->KFile1), 2);
  EXPECT_EQ(GetMenuItemID(controls_->KFile1, 0), static_cast<UINT>(kCmdKUndo1));
  EXPECT_EQ(GetMenuItemID(controls_->KFile1, 1), static_cast<UINT>(kCmdKProperty1));
  EXPECT_EQ(testsupport::MenuText(controls_->KFile1, kCmdKUndo1, MF_BYCOMMAND), "元に戻す/&Undo");
  OpenMenu(controls_->KFile1);
  EXPECT_TRUE(form_->MenuItemEnabled(kCmdKUndo1));
  boxes_.clear();
  answer_ = IDNO;
  Menu(kCmdKUndo1);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "直前のファイル名の変換を元に戻します。\n\n" + form_->ShownFolder() +
                                "\nの5個のファイルが、元の名前に戻ります。\n\nよろしいですか？");
  EXPECT_EQ(boxes_[0].caption, "情報");
  EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
  EXPECT_TRUE(FileExists("p6.jpg"));
  answer_ = IDYES;
  Menu(kCmdKUndo1);
  EXPECT_EQ(boxes_.size(), 2u);  // no report: nothing was skipped
  EXPECT_EQ(FileSizes({"p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg", "p5.jpg", "p6.jpg", "p7.jpg"}),
            (std::map<std::string, long>{{"p1.jpg", 1},
                                         {"p2.jpg", 2},
                                         {"p3.jpg", 3},
                                         {"p4.jpg", 4},
                                         {"p5.jpg", 5},
                                         {"p6.jpg", -1},
                                         {"p7.jpg", 7}}));
  // The list shows the folder as it now is; the undo is spent.
  const std::vector<std::string> names = Names();
  EXPECT_NE(std::find(names.begin(), names.end(), "p1.jpg"), names.end());
  EXPECT_EQ(std::find(names.begin(), names.end(), "p6.jpg"), names.end());
  OpenMenu(controls_->KFile1);
  EXPECT_FALSE(form_->MenuItemEnabled(kCmdKUndo1));
}

TEST_F(SetupWindowTest, AnsweringNoLeavesEverything) {
  for (const char* name : {"a.txt", "b.txt"}) WriteFile(name);
  Start();
  ClickButton(controls_->SpeedButton14);
  Type(controls_->ComboBox1, "n");
  Rows before = Grid();
  answer_ = IDNO;
  ClickButton(controls_->BitBtn1);
  EXPECT_EQ(boxes_.size(), 1u);
  EXPECT_TRUE(FileExists("a.txt"));
  EXPECT_TRUE(FileExists("b.txt"));
  EXPECT_EQ(Marks(), (std::vector<bool>{true, true}));
  EXPECT_EQ(Grid(), before);
  EXPECT_EQ(Text(controls_->Panel2), "1");
  EXPECT_TRUE(ExecuteEnabled());
}

// Renames at 20 ms each, as on a network share or in a large folder
// under Wine.
class SlowFileSystem : public testsupport::HookedRenames {
 public:
  void BeforeRename() override { Sleep(20); }
};

// Watches a run from another thread, as the system and the user do: sends
// the window a message every few milliseconds and times its answer, reads
// the progress panel, and once it shows the given step posts the given
// message (Esc, a close).
class RunWatcher {
 public:
  RunWatcher(TSetupForm1& form, int atStep, HWND target, UINT msg, WPARAM wparam)
      : form_(form.Handle()),
        bar_(testsupport::WindowAccess::Controls(form).StatusBar1),
        field_(testsupport::WindowAccess::Controls(form).ComboBox1),
        button_(testsupport::WindowAccess::Controls(form).BitBtn1) {
    thread_ = std::thread([=, this] { Watch(atStep, target, msg, wparam); });
  }
  // Once the run is over; the window thread goes on answering meanwhile.
  void Stop(const std::function<void()>& pump) {
    over_ = true;
    while (!finished_) {
      pump();
      Sleep(1);
    }
    thread_.join();
  }

  double slowestAnswerMs = 0;
  std::vector<std::string> progressTexts;  // panel 1, each change
  bool sawLocked = false;                  // prefix field disabled, button "中止"
  bool sawBar = false;                     // the progress bar begun
  bool acted = false;

 private:
  std::string Get(HWND window, UINT msg, WPARAM wparam) {
    wchar_t text[256] = {};
    DWORD_PTR unused;
    SendMessageTimeoutW(window, msg, wparam, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 200,
                        &unused);
    return Narrow(text);
  }
  void Watch(int atStep, HWND target, UINT msg, WPARAM wparam) {
    while (!over_) {
      LARGE_INTEGER frequency, t0, t1;
      QueryPerformanceFrequency(&frequency);
      QueryPerformanceCounter(&t0);
      DWORD_PTR unused;
      SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &unused);
      QueryPerformanceCounter(&t1);
      const double ms = 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
                        static_cast<double>(frequency.QuadPart);
      slowestAnswerMs = std::max(slowestAnswerMs, ms);
      std::string progress = Get(bar_, SB_GETTEXTW, kPanelSize);
      if (!progress.empty() && progress[0] == '\t') progress.erase(0, 1);
      if (!progress.empty() && (progressTexts.empty() || progressTexts.back() != progress)) {
        progressTexts.push_back(progress);
      }
      if (!IsWindowEnabled(field_) && Get(button_, WM_GETTEXT, 256) == "中止") sawLocked = true;
      DWORD_PTR bar = 0;
      SendMessageTimeoutW(bar_, kStatusBarGetProgress, kPanelTime, 0, SMTO_NORMAL, 1000, &bar);
      if (static_cast<LRESULT>(bar) > 0) sawBar = true;
      if (!acted && std::atoi(progress.c_str()) >= atStep) {
        acted = true;
        PostMessageW(target, msg, wparam, 1);
      }
      Sleep(5);
    }
    finished_ = true;
  }

  HWND form_, bar_, field_, button_;
  std::atomic<bool> over_{false}, finished_{false};
  std::thread thread_;
};

TEST_F(SetupWindowTest, LongRunAnswersShowsProgressAndStopsOnEscOrClose) {
  for (int i = 0; i < 12; ++i) WriteFile("f" + std::string(1, static_cast<char>('a' + i)) + ".txt");
  Start();
  form_->ReplaceFileSystem(std::make_unique<SlowFileSystem>());
  ClickButton(controls_->SpeedButton14);
  Type(controls_->ComboBox1, "r");
  auto renamed = [](const char* prefix) {
    int count = 0;
    for (int n = 1; n <= 30; ++n) count += FileExists(prefix + std::to_string(n) + ".txt");
    return count;
  };

  // Esc after the fourth file, Yes: the run stops after the file in hand.
  RunWatcher watcher(*form_, 4, controls_->BitBtn1, WM_KEYDOWN, VK_ESCAPE);
  ClickButton(controls_->BitBtn1);
  watcher.Stop([this] { Pump(); });
  EXPECT_TRUE(watcher.acted);
  // Three progress texts read from another thread while the run lasted: the
  // window answered between renames (without its pump it answers only once
  // the run is over, and one text is seen). The slowest answer is recorded,
  // not asserted: on a loaded machine it follows the load, not the program.
  EXPECT_GE(watcher.progressTexts.size(), 3u);
  RecordProperty("slowest_answer_ms", static_cast<int>(watcher.slowestAnswerMs));
  EXPECT_TRUE(watcher.sawLocked);
  EXPECT_TRUE(watcher.sawBar);
  ASSERT_EQ(boxes_.size(), 3u);
  EXPECT_EQ(boxes_[1].text, "ファイル名の変換を中止します。\n\nよろしいですか？");
  EXPECT_EQ(boxes_[1].flags, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
  const int done = renamed("r");
  // The report after the stop counts the files not reached.
  EXPECT_EQ(boxes_[2].text, std::to_string(12 - done) + "個のファイルは、まだ名前を変えていません。");
  EXPECT_GE(done, 4);
  EXPECT_LT(done, 12);
  for (int n = done; n < 12; ++n) {
    EXPECT_TRUE(FileExists("f" + std::string(1, static_cast<char>('a' + n)) + ".txt")) << n;
  }
  EXPECT_EQ(Status(3), std::to_string(done) + "個完了");
  EXPECT_EQ(Text(controls_->Panel2), std::to_string(done + 1));
  EXPECT_EQ(Grid(), (Rows{{"", " (変更完了)"}}));
  // The window is as before the run, the progress gone, and the stopped
  // run can be taken back.
  EXPECT_EQ(Status(0) + Status(1) + Status(2), "");
  EXPECT_EQ(SendMessageW(controls_->StatusBar1, kStatusBarGetProgress, kPanelTime, 0), -1);
  EXPECT_EQ(Text(controls_->BitBtn1), "実行");
  EXPECT_TRUE(IsWindowEnabled(controls_->ComboBox1));
  EXPECT_TRUE(IsWindowEnabled(controls_->CheckListBox1->Handle()));
  EXPECT_FALSE(GetMenuState(controls_->MainMenu1, 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_TRUE(form_->UndoAvailable());

  // Closing after the third file of the next run asks the same; on Yes the
  // run stops, then the window closes and saves the settings, with no box
  // in between for the file another program holds open. The system menu's
  // About, chosen after the second file, opens nothing: its modal loop
  // would hold the run until it closed.
  ClickButton(controls_->SpeedButton14);
  SetFieldText(controls_->ComboBox1, "s");
  boxes_.clear();
  const std::string inUse = "f" + std::string(1, static_cast<char>('a' + done)) + ".txt";
  HANDLE held = CreateFileW(Widen(folder_ + "\\" + inUse).c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  RunWatcher about(*form_, 2, form_->Handle(), WM_SYSCOMMAND, 1);
  RunWatcher closer(*form_, 3, form_->Handle(), WM_CLOSE, 0);
  ClickButton(controls_->BitBtn1);
  about.Stop([this] { Pump(); });
  closer.Stop([this] { Pump(); });
  Pump();
  CloseHandle(held);
  EXPECT_TRUE(about.acted);
  EXPECT_TRUE(FileExists(inUse));
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].text, "ファイル名の変換を中止します。\n\nよろしいですか？");
  // The close came once three files were reached; the first of them is the
  // one held open, so at least two were renamed.
  const int second = renamed("s");
  EXPECT_GE(second, 2);
  EXPECT_LT(second, 12);
  EXPECT_EQ(form_->Handle(), nullptr);
  EXPECT_TRUE(FileExists(folder_ + "\\KVTset.ini"));
}

TEST_F(SetupWindowTest, DoubleByteNamesEndingInBackslashByteRenameAndNavigate) {
  CreateDirectoryW(Widen("表").c_str(), nullptr);
  WriteFile("表\\ソ.txt");
  WriteFile("表\\表.txt");
  Start();
  form_->ShowFolder(folder_ + "\\表");
  Pump();
  EXPECT_EQ(form_->ShownFolder(), folder_ + "\\表");
  EXPECT_EQ(Names(), (std::vector<std::string>{"ソ.txt", "表.txt"}));
  SetFieldText(controls_->ComboBox1, "表ソ");
  ClickButton(controls_->SpeedButton14);
  EXPECT_EQ(Grid(), (Rows{{"ソ.txt", "表ソ1.txt"}, {"表.txt", "表ソ2.txt"}}));
  ClickButton(controls_->BitBtn1);
  EXPECT_TRUE(FileExists("表ソ1.txt"));
  EXPECT_TRUE(FileExists("表ソ2.txt"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"表ソ1.txt", "表ソ2.txt"}));

  ClickButton(controls_->SpeedButton13);  // parent folder
  EXPECT_EQ(form_->ShownFolder(), folder_);
  EXPECT_EQ(Status(3), "0個存在");
}

TEST_F(SetupWindowTest, CheckCommandsMouseAndSpaceBarDriveThePreview) {
  for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}) WriteFile(name);
  Start();
  ClickButton(controls_->SpeedButton14);
  EXPECT_EQ(Grid().size(), 5u);
  EXPECT_TRUE(ExecuteEnabled());
  EXPECT_EQ(GetFocus(), controls_->CheckListBox1->Handle());
  ClickButton(controls_->SpeedButton15);
  EXPECT_EQ(Grid(), (Rows{{" (未選択)", ""}}));
  EXPECT_FALSE(ExecuteEnabled());

  ClickLine(1, true);  // box: toggles and highlights
  EXPECT_EQ(Marks(), (std::vector<bool>{false, true, false, false, false}));
  EXPECT_EQ(Status(0), "b.txt");
  ClickLine(3, false);  // name: highlights only
  EXPECT_EQ(Marks(), (std::vector<bool>{false, true, false, false, false}));
  EXPECT_EQ(Status(0), "d.txt");
  PostMessageW(controls_->CheckListBox1->Handle(), WM_CHAR, ' ', 1);
  Pump();
  EXPECT_EQ(Marks(), (std::vector<bool>{false, true, false, true, false}));
  EXPECT_EQ(Grid(), (Rows{{"b.txt", "1.txt"}, {"d.txt", "2.txt"}}));

  Menu(kCmdChange1);
  EXPECT_EQ(Marks(), (std::vector<bool>{true, false, true, false, true}));
  EXPECT_EQ(Grid().size(), 3u);
  Menu(kCmdNot1);
  EXPECT_EQ(Marks(), (std::vector<bool>(5, false)));
  Menu(kCmdSelectAll1);
  EXPECT_EQ(Marks(), (std::vector<bool>(5, true)));

  // Refresh: marks cleared, highlight kept, panels 0 to 2 kept.
  WriteFile("f.txt");
  std::string name = Status(0);
  Menu(kCmdKRenew1);
  EXPECT_EQ(Marks(), (std::vector<bool>(6, false)));
  EXPECT_EQ(form_->HighlightedIndex(), 3);
  EXPECT_EQ(Status(0), name);
  EXPECT_EQ(Status(3), "6個存在");
}

TEST_F(SetupWindowTest, FileInformationShowsSizeInKilobytes) {
  WriteFile("a.bin", 1023);
  WriteFile("b.bin", 1024);
  Start();
  ClickLine(0, false);
  EXPECT_EQ(Status(0), "a.bin");
  EXPECT_EQ(Status(1), "0 KB");
  EXPECT_NE(Status(2), "");
  ClickLine(1, false);
  EXPECT_EQ(Status(1), "1 KB");
  EXPECT_EQ(Status(3), "2個存在");
  // Gone since the listing: no panel keeps the other file's size or time.
  DeleteFileW(L"a.bin");
  ClickLine(0, false);
  EXPECT_EQ(Status(0), "a.bin");
  EXPECT_EQ(Status(1), "");
  EXPECT_EQ(Status(2), "");
}

TEST_F(SetupWindowTest, StepButtonsClampAndFullWidthShowsEverywhere) {
  WriteFile("a.txt");
  Start();
  ClickButton(controls_->SpeedButton10);  // -1
  ClickButton(controls_->SpeedButton10);
  EXPECT_EQ(Text(controls_->Panel2), "0");
  ClickButton(controls_->SpeedButton6);  // -10000
  EXPECT_EQ(Text(controls_->Panel2), "0");
  for (int i = 0; i < 12; ++i) ClickButton(controls_->SpeedButton11);
  EXPECT_EQ(Text(controls_->Panel3), "10桁");
  for (int i = 0; i < 12; ++i) ClickButton(controls_->SpeedButton12);
  EXPECT_EQ(Text(controls_->Panel3), "1桁");

  ClickButton(controls_->SpeedButton4);  // +10
  ClickButton(controls_->SpeedButton5);
  ClickButton(controls_->SpeedButton5);  // 12
  for (int i = 0; i < 3; ++i) ClickButton(controls_->SpeedButton11);
  ClickButton(controls_->CheckBox1);
  EXPECT_EQ(Text(controls_->Panel2), "００１２");
  EXPECT_EQ(Text(controls_->Panel3), "４桁");
  EXPECT_EQ(Text(controls_->Panel4), "００１２");
  ClickButton(controls_->SpeedButton14);
  EXPECT_EQ(Grid(), (Rows{{"a.txt", "００１２.txt"}}));

  // The drop-down pick reaches the handler with the picked text.
  HWND ext = controls_->ComboBox3;
  SendMessageW(ext, CB_SETCURSEL, 3, 0);
  SendMessageW(GetParent(ext), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ext), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(ext));
  EXPECT_EQ(Text(controls_->Panel4), "００１２.jpg");
  EXPECT_EQ(Grid(), (Rows{{"a.txt", "００１２.jpg"}}));
}

TEST_F(SetupWindowTest, MenusCarryTheirCaptionsAndOpeningRefreshes) {
  WriteFile("a.txt");
  Start();
  auto caption = [](HMENU menu, UINT command) {
    return testsupport::MenuText(menu, command, MF_BYCOMMAND);
  };
  EXPECT_EQ(testsupport::MenuText(controls_->MainMenu1, 0, MF_BYPOSITION), "ファイル/&File");
  EXPECT_EQ(caption(controls_->KFile1, kCmdKExit1), "終了/&Exit");
  EXPECT_EQ(caption(controls_->Edit2, kCmdChange1), "選択の切り替え/&Change");
  EXPECT_EQ(caption(controls_->KView1, kCmdKRenew1), "最新の状態に更新/&Renew");
  EXPECT_EQ(caption(controls_->KView1, kCmdKStatus1), "");  // hidden item
  EXPECT_EQ(caption(controls_->KHelp1, kCmdKAbout1), "バージョン情報/&About...");
  EXPECT_EQ(caption(controls_->PopupMenu1, kCmdKProperty2), "プロパティ/&Property...");

  OpenMenu(controls_->KFile1);
  EXPECT_FALSE(form_->MenuItemEnabled(kCmdKProperty1));
  EXPECT_EQ(Status(3), "1個存在");
  ClickLine(0, false);
  OpenMenu(controls_->KFile1);
  EXPECT_TRUE(form_->MenuItemEnabled(kCmdKProperty1));
  OpenMenu(controls_->KHelp1);
  EXPECT_EQ(Status(3), "");
  OpenMenu(controls_->KView1);
  EXPECT_TRUE(form_->MenuItemChecked(kCmdKStatus1));
}

TEST_F(SetupWindowTest, TabWalksTheControlsInOrderAndEnterPressesExecute) {
  WriteFile("a.txt");
  Start();
  std::vector<HWND> expected = {controls_->DirectoryListBox1->Handle(),
                                controls_->CheckListBox1->Handle(),
                                controls_->StringGrid1->Handle(),
                                controls_->FilterComboBox1->Handle(),
                                controls_->ComboBox1,
                                controls_->Panel2,
                                controls_->Panel3,
                                controls_->CheckBox1,
                                controls_->ComboBox2,
                                controls_->ComboBox3,
                                controls_->BitBtn1,
                                controls_->DriveComboBox1->Handle()};
  SetFocus(controls_->DriveComboBox1->Handle());
  ClickButton(controls_->SpeedButton14);  // Execute enabled, so it takes the focus
  SetFocus(controls_->DriveComboBox1->Handle());
  for (HWND next : expected) {
    Key(GetFocus(), VK_TAB);
    HWND focus = GetFocus();
    // A drop-down's focus sits in its edit part.
    if (GetParent(focus) == next) focus = next;
    EXPECT_EQ(focus, next) << Text(next);
  }
  SetFocus(controls_->ComboBox1);
  answer_ = IDNO;
  Key(GetFocus(), VK_RETURN);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].caption, "情報");
}

TEST_F(SetupWindowTest, CheckListShowsListedFilesInCaseInsensitiveOrderUnderTheMask) {
  struct File {
    const char* name;
    DWORD attributes;
  } files[] = {
      {"b.log", 0},
      {"A.txt", 0},
      {"c.TXT", FILE_ATTRIBUTE_READONLY},
      {"hidden.txt", FILE_ATTRIBUTE_HIDDEN},
      {"system.txt", FILE_ATTRIBUTE_SYSTEM},
      {"d.jpg", 0},
  };
  for (const File& f : files) {
    WriteFile(f.name);
    if (f.attributes) SetFileAttributesW(Widen(f.name).c_str(), f.attributes);
  }
  CreateDirectoryW(L"folder.txt", nullptr);
  Start();
  EXPECT_EQ(Names(), (std::vector<std::string>{"A.txt", "b.log", "c.TXT", "d.jpg"}));
  // Two patterns interleave in one sorted list; every change clears the
  // marks and panels 0 to 2.
  ClickLine(0, true);
  form_->ApplyFilter("Text and logs|*.txt;*.log");
  Pump();
  EXPECT_EQ(Names(), (std::vector<std::string>{"A.txt", "b.log", "c.TXT"}));
  EXPECT_EQ(Marks(), (std::vector<bool>(3, false)));
  EXPECT_EQ(Status(0), "");
  EXPECT_EQ(Status(3), "3個存在");
  EXPECT_EQ(Text(controls_->Edit1), "*.txt;*.log");
}

TEST_F(SetupWindowTest, FolderThatCannotBeEnteredShowsTheErrorAndChangesNothing) {
  WriteFile("a.txt");
  CreateDirectoryW(L"gone", nullptr);
  Start();
  ClickLine(0, true);
  TDirectoryListBox& folders = *controls_->DirectoryListBox1;
  int line = -1;
  for (int i = 0; i < static_cast<int>(folders.Lines().size()); ++i) {
    if (folders.DisplayText(i) == "gone") line = i;
  }
  ASSERT_GE(line, 0);
  RemoveDirectoryW(L"gone");
  // A double-click on the line, as the list reports it to its parent.
  SendMessageW(folders.Handle(), LB_SETCURSEL, line, 0);
  SendMessageW(GetParent(folders.Handle()), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(folders.Handle()), LBN_DBLCLK),
               reinterpret_cast<LPARAM>(folders.Handle()));
  Pump();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].caption, "Korvath");
  EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(boxes_[0].text.back(), '.');
  EXPECT_EQ(form_->ShownFolder(), folder_);
  EXPECT_EQ(CurrentFolder(), folder_);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt"}));
  EXPECT_EQ(Marks(), (std::vector<bool>{true}));
}

// A drive that cannot be entered, then the old drive picked again: the marks
// are cleared, and the preview and Execute follow them.
TEST_F(SetupWindowTest, OldDrivePickedAfterAFailedPickLeavesNoStalePreview) {
  WriteFile("a.txt");
  WriteFile("b.txt");
  Start();
  ClickButton(controls_->SpeedButton14);
  ASSERT_EQ(Grid().size(), 2u);
  ASSERT_TRUE(ExecuteEnabled());
  const DWORD present = GetLogicalDrives();
  char missing = 0;
  for (int i = 25; i >= 3 && !missing; --i) {
    if (!(present & (1u << i))) missing = static_cast<char>('A' + i);
  }
  ASSERT_NE(missing, 0);
  // What picking a drive without a medium runs (no such entry exists here).
  EXPECT_THROW(controls_->DriveComboBox1->ChooseDrive(missing), EInOutError);
  const auto entries = controls_->DriveComboBox1->Entries();
  int old = -1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i][0] == folder_[0]) old = static_cast<int>(i);
  }
  ASSERT_GE(old, 0);
  HWND combo = controls_->DriveComboBox1->Handle();
  SendMessageW(combo, CB_SETCURSEL, old, 0);
  SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  Pump();
  EXPECT_EQ(form_->ShownFolder(), folder_);
  EXPECT_EQ(Marks(), (std::vector<bool>{false, false}));
  EXPECT_EQ(Grid(), (Rows{{" (未選択)", ""}}));
  EXPECT_FALSE(ExecuteEnabled());
  EXPECT_EQ(Status(3), "2個存在");
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(SetupWindowTest, ExitClosesTheWindowAndSavesTheSettings) {
  WriteFile("a.txt");
  Start();
  std::string settings = folder_ + "\\KVTset.ini";
  EXPECT_FALSE(FileExists(settings));
  Menu(kCmdKExit1);
  EXPECT_TRUE(FileExists(settings));
  EXPECT_EQ(form_->Handle(), nullptr);
}

// Names in any script, end to end: a folder of them, shown, previewed,
// renamed and remembered. Each file has its own size (its line number in
// kilobytes), its own contents and its own day, so that a panel or a rename
// that picks up another file's data shows.
class MixedNamesTest : public SetupWindowTest {
 protected:
  struct Made {
    std::string contents;
    std::string size, time;  // as the status bar shows them
  };

  void Make(const std::string& folder, const std::vector<std::string>& names) {
    made_.clear();
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::string path = folder + "\\" + names[i];
      Made file{std::string((i + 1) * 1024, static_cast<char>('a' + i)),
                std::to_string(i + 1) + " KB", "2020/01/0" + std::to_string(i + 1) + " 12:00:00"};
      ASSERT_TRUE(testsupport::MakeFile(path, file.contents)) << path;
      SYSTEMTIME local{2020, 1, 0, static_cast<WORD>(i + 1), 12, 0, 0, 0};
      FILETIME localTime, time;
      SystemTimeToFileTime(&local, &localTime);
      LocalFileTimeToFileTime(&localTime, &time);
      HANDLE handle = CreateFileW(SystemPath(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
      SetFileTime(handle, nullptr, nullptr, &time);
      CloseHandle(handle);
      made_[names[i]] = std::move(file);
    }
  }

  // Shows folder, checks what the window shows of each file, then renames
  // them all with the prefix "x" after a detour through "表" and "한".
  void ShowPreviewAndRename(const std::string& folder, const std::vector<std::string>& names) {
    Make(folder, names);
    Start();
    form_->ShowFolder(folder);
    Pump();
    ASSERT_EQ(form_->ShownFolder(), folder);
    std::vector<std::string> shown = Names(), expected = names;
    std::sort(shown.begin(), shown.end());
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(shown, expected) << "every name exactly, once";
    for (int line = 0; line < static_cast<int>(names.size()); ++line) {
      ClickLine(line, false);
      const std::string name = Names()[static_cast<std::size_t>(line)];
      EXPECT_EQ(Status(0), name);
      EXPECT_EQ(Status(1), made_[name].size) << name;
      EXPECT_EQ(Status(2), made_[name].time) << name;
    }

    // A Shift-JIS prefix and a Hangul one, typed: both go to this session's
    // list; the Hangul one is shown in the sample and the preview.
    SetFieldText(controls_->ComboBox1, "表");
    LeavePrefixField();
    SetFieldText(controls_->ComboBox1, "");
    Type(controls_->ComboBox1, "한");
    EXPECT_EQ(Text(controls_->ComboBox1), "한");
    EXPECT_EQ(Text(controls_->Panel4), "한1");
    ClickButton(controls_->SpeedButton14);  // check all
    ASSERT_EQ(Grid().size(), names.size());
    for (const auto& [from, to] : Grid()) {
      EXPECT_EQ(to.rfind("한", 0), 0u) << from << " -> " << to;
    }
    LeavePrefixField();
    EXPECT_EQ(testsupport::ComboItem(controls_->ComboBox1, 0), "한");
    EXPECT_EQ(testsupport::ComboItem(controls_->ComboBox1, 1), "表");

    SetFieldText(controls_->ComboBox1, "");
    Type(controls_->ComboBox1, "x");
    const Rows preview = Grid();
    ClickButton(controls_->BitBtn1);
    EXPECT_EQ(Status(3), std::to_string(names.size()) + "個完了");
    for (const auto& [from, to] : preview) {
      EXPECT_FALSE(FileExists(folder + "\\" + from)) << from;
      EXPECT_EQ(testsupport::FileBytes(folder + "\\" + to), made_[from].contents)
          << from << " -> " << to;
    }
    Close();
  }

  std::map<std::string, Made> made_;
};

TEST_F(MixedNamesTest, AnyNameIsShownRenamedAsPreviewedAndOnlyShiftJisIsRemembered) {
  const std::string mixed = folder_ + "\\mixed";
  CreateDirectoryW(Widen(mixed).c_str(), nullptr);
  ShowPreviewAndRename(mixed, {"café.jpg", "cafe.jpg", "naïve.txt", "한글.txt", "😀.txt", "a.txt"});

  // The settings file keeps the Shift-JIS entry and leaves the Hangul one's
  // slot empty, and is Shift-JIS throughout.
  const std::string ini = testsupport::FileBytes(folder_ + "\\KVTset.ini");
  EXPECT_NE(ini.find("\r\nTopHst0=\r\nTopHst1=\x95\x5C\r\n"), std::string::npos)
      << "表 in Shift-JIS";
  EXPECT_EQ(ini.find("\xED\x95\x9C"), std::string::npos) << "no 한 in UTF-8";
  EXPECT_EQ(ini.find("=?"), std::string::npos) << "no substitute";
  EXPECT_GT(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, ini.data(), static_cast<int>(ini.size()),
                                nullptr, 0),
            0);

  // A name of 250 characters in a folder more than 200 characters deep:
  // the whole path runs past MAX_PATH. (Under Wine the name must also fit
  // the Linux file system's 255 bytes of UTF-8.)
  std::string deep = folder_;
  while (Widen(deep).size() < 200) {
    deep += "\\深い folder " + std::to_string(Widen(deep).size());
    ASSERT_TRUE(CreateDirectoryW(SystemPath(deep).c_str(), nullptr)) << deep;
  }
  std::string longName = "이";
  while (Widen(longName).size() < 246) longName += "n";
  longName += ".txt";
  ASSERT_EQ(Widen(longName).size(), 250u);
  ShowPreviewAndRename(deep, {longName, "😀.txt"});
}

TEST_F(SetupWindowTest, KeyPreviewSeesHomeBeforeTheFocusedControl) {
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) WriteFile(name);
  Start();
  SetWindowPos(form_->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  // On the drive selector, the state after start-up, Home moves nothing.
  Key(controls_->DriveComboBox1->Handle(), VK_HOME);
  RECT at;
  GetWindowRect(form_->Handle(), &at);
  EXPECT_EQ(at.left, 0);
  EXPECT_EQ(at.top, 0);
  // In the check list it glides the window to the screen's centre and the
  // list still moves to its first line.
  HWND list = controls_->CheckListBox1->Handle();
  SetFocus(list);
  controls_->CheckListBox1->SetItemIndex(2);
  Key(list, VK_HOME);
  GetWindowRect(form_->Handle(), &at);
  EXPECT_EQ(at.left, (GetSystemMetrics(SM_CXSCREEN) - 521) / 2);
  EXPECT_EQ(at.top, (GetSystemMetrics(SM_CYSCREEN) - 430) / 2);
  EXPECT_EQ(form_->HighlightedIndex(), 0);
}

}  // namespace
}  // namespace korvath
