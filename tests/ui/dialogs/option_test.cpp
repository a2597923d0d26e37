// The options dialog driven through real messages: button clicks, list
// clicks, keys in its own modal loop, and the window's size limits.

#include "Option.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "DialogAccess.h"
#include "FakeProfileStore.h"
#include "MessageBox.h"
#include "ModalScript.h"
#include "RecordedBox.h"
#include "UserInput.h"
#include "WindowText.h"

namespace korvath {
namespace {

using testsupport::Box;
using testsupport::Click;
using testsupport::ClickRow;
using testsupport::PressKey;

constexpr char kMaskMessage[] =
    "ユーザー定義ファイルの拡張子を設定するには、\n頭に\"*.\"をつけます。例 (*.txt)";
constexpr char kBarMessage[] = "ユーザー定義ファイルの拡張子に\"|\"は使えません。";

std::string Text(HWND window) { return WindowText(window); }

RECT BoundsInParent(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Runs script inside the dialog's modal loop; the dialog is closed if the
// script leaves it open, so that a fault cannot hang the test.
// The window with the focus once the dialog just shown has been activated
// (under Wine and X activation comes a few messages after the showing);
// null if nothing has it after a second.
HWND FocusOnceActive() {
  for (int i = 0; i < 100 && GetFocus() == nullptr; ++i) {
    // Every message but the script's own timer, whose next tick must not
    // run inside this one.
    MSG msg;
    for (const auto& [first, last] : {std::pair<UINT, UINT>{0, WM_TIMER - 1}, {WM_TIMER + 1, ~0u}}) {
      while (PeekMessageW(&msg, nullptr, first, last, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
    if (GetFocus() == nullptr) Sleep(10);
  }
  return GetFocus();
}

int ShowWith(TOptionForm1& form, std::function<void()> script) {
  return testsupport::ModalScript::Run(form, {std::move(script)}).result;
}

class OptionDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.Create();
    SetMessageBoxHandler(
        [this](HWND, const std::string& text, const std::string& caption, UINT flags) {
          boxes_.push_back({text, caption, flags});
          return IDOK;
        });
  }
  void TearDown() override { SetMessageBoxHandler(nullptr); }
  void Load(std::vector<std::pair<std::string, std::string>> option) {
    test::FakeProfileStore store;
    store.Set("Option", option);
    form_.LoadUserMasks(store);
  }
  void Add(const std::string& text) {
    SetWindowTextUtf8(controls_.Edit1, text);
    Click(controls_.BitBtn3);
  }
  std::pair<bool, bool> Arrows() const {
    return {IsWindowEnabled(controls_.SpeedButton1) != FALSE,
            IsWindowEnabled(controls_.SpeedButton2) != FALSE};
  }

  TOptionForm1 form_;
  OptionFormControls& controls_ = testsupport::DialogAccess::Controls(form_);
  std::vector<Box> boxes_;
};

TEST_F(OptionDialog, IsLaidOutAsDesigned) {
  HWND dialog = form_.Handle();
  EXPECT_EQ(Text(dialog), "オプション");
  LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(IsWindowVisible(dialog));

  struct Fixed {
    HWND control;
    const char* text;
    RECT bounds;
  };
  const Fixed fixed[] = {
      {controls_.Label5, "ユーザ定義ファイル", {12, 8, 113, 20}},
      {controls_.Label1, "拡張子を入力して下さい。(表記例： *.txt)", {12, 28, 218, 40}},
      {controls_.Edit1, "", {38, 50, 159, 70}},
      {controls_.BitBtn3, "追加", {167, 48, 242, 73}},
      {controls_.BitBtn4, "削除", {167, 80, 242, 105}},
      {controls_.Bevel1, "", {120, 14, 273, 23}},
      {controls_.BitBtn1, "OK", {145, 0, 235, 0}},
      {controls_.BitBtn2, "キャンセル", {45, 0, 135, 0}},
      {controls_.SpeedButton1, "↑", {168, 0, 192, 0}},
      {controls_.SpeedButton2, "↓", {168, 0, 192, 0}},
  };
  for (const Fixed& f : fixed) {
    EXPECT_EQ(Text(f.control), f.text);
    RECT r = BoundsInParent(f.control);
    EXPECT_EQ(r.left, f.bounds.left) << f.text;
    EXPECT_EQ(r.right, f.bounds.right) << f.text;
    if (f.bounds.bottom) {
      EXPECT_EQ(r.top, f.bounds.top) << f.text;
      EXPECT_EQ(r.bottom, f.bounds.bottom) << f.text;
    }
  }
  // The resizable parts follow the client height.
  RECT client;
  GetClientRect(dialog, &client);
  OptionLayout layout = ComputeOptionLayout(client.right, client.bottom);
  RECT list = BoundsInParent(controls_.ListBox1);
  EXPECT_EQ(list.bottom - list.top, layout.ListBox1.Height);
  EXPECT_EQ(BoundsInParent(controls_.BitBtn1).top, layout.BitBtn1.Top);
  EXPECT_EQ(BoundsInParent(controls_.SpeedButton2).top, layout.SpeedButton2.Top);
  RECT grip = BoundsInParent(controls_.Image1);
  EXPECT_EQ(grip.right, client.right);
  EXPECT_EQ(grip.bottom, client.bottom);
  EXPECT_EQ(SendMessageW(controls_.ListBox1, LB_GETITEMHEIGHT, 0, 0), 16);

  // Tab order: OK, Cancel, edit, Add, list, Delete; the arrows are skipped.
  std::vector<HWND> order;
  HWND at = controls_.BitBtn1;
  for (int i = 0; i < 6; ++i) {
    order.push_back(at);
    at = GetNextDlgTabItem(dialog, at, FALSE);
  }
  EXPECT_EQ(order, (std::vector<HWND>{controls_.BitBtn1, controls_.BitBtn2, controls_.Edit1, controls_.BitBtn3,
                                      controls_.ListBox1, controls_.BitBtn4}));
  EXPECT_EQ(at, controls_.BitBtn1);
}

TEST_F(OptionDialog, LoadsTheMasksThatFileCountNames) {
  Load({});
  EXPECT_EQ(form_.Rows(), std::vector<std::string>{""});  // no file: one empty row
  Load({{"FileCount", "-1"}, {"File0", "*.old"}});
  EXPECT_TRUE(form_.Rows().empty());
  Load({{"FileCount", "2"}, {"File0", "*.a&b"}, {"File2", "*.c"}});
  EXPECT_EQ(form_.Rows(), (std::vector<std::string>{"*.a&b", "", "*.c"}));
  EXPECT_EQ(form_.ItemIndex(), -1);
}

TEST_F(OptionDialog, AddAcceptsOnlyMasksStartingWithStarDotWithoutABar) {
  Load({{"FileCount", "-1"}});
  struct Case {
    const char* typed;
    const char* refusal;
    std::vector<std::string> rows;
    const char* editAfter;
  };
  const Case cases[] = {
      {"txt", kMaskMessage, {}, "txt"},
      {" *.txt", kMaskMessage, {}, " *.txt"},
      {"*", kMaskMessage, {}, "*"},
      {"", nullptr, {}, ""},
      {"*.txt", nullptr, {"*.txt"}, ""},
      {"*.", nullptr, {"*.txt", "*."}, ""},
      {"*.txt", nullptr, {"*.txt", "*.", "*.txt"}, ""},  // duplicates are kept
      {"*.|x", kBarMessage, {"*.txt", "*.", "*.txt"}, "*.|x"},
      {"*.a|", kBarMessage, {"*.txt", "*.", "*.txt"}, "*.a|"},
      // ポ is 83 7C: a second byte with the code of "|" is no bar.
      {"*.ポ", nullptr, {"*.txt", "*.", "*.txt", "*.ポ"}, ""},
      // The settings file is Shift-JIS: what it cannot keep is refused by name.
      {"*.한글한", "ユーザー定義ファイルの拡張子に\"한글\"は使えません。",
       {"*.txt", "*.", "*.txt", "*.ポ"}, "*.한글한"},
      {"*.café", "ユーザー定義ファイルの拡張子に\"é\"は使えません。",
       {"*.txt", "*.", "*.txt", "*.ポ"}, "*.café"},
      {"*.表①ｶ", nullptr, {"*.txt", "*.", "*.txt", "*.ポ", "*.表①ｶ"}, ""},
  };
  for (const Case& c : cases) {
    boxes_.clear();
    Add(c.typed);
    EXPECT_EQ(form_.Rows(), c.rows) << c.typed;
    EXPECT_EQ(Text(controls_.Edit1), c.editAfter) << c.typed;
    ASSERT_EQ(boxes_.size(), c.refusal ? 1u : 0u) << c.typed;
    if (c.refusal) {
      EXPECT_EQ(boxes_[0].text, c.refusal);
      EXPECT_EQ(boxes_[0].caption, "警告");
      EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    }
  }

  // A full list takes no more, until a row goes.
  Load({{"FileCount", "999"}});
  ASSERT_EQ(form_.Rows().size(), 1000u);
  boxes_.clear();
  Add("*.more");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "ユーザー定義ファイルは、1000個までしか登録できません。");
  EXPECT_EQ(form_.Rows().size(), 1000u);
  EXPECT_EQ(Text(controls_.Edit1), "*.more");
  ClickRow(controls_.ListBox1, 0);
  Click(controls_.BitBtn4);
  Add("*.more");
  EXPECT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(form_.Rows().size(), 1000u);
  EXPECT_EQ(form_.Rows().back(), "*.more");
}

TEST_F(OptionDialog, DeleteAndArrowsKeepTheSelectionAndButtonsInStep) {
  Load({{"FileCount", "2"}, {"File0", "*.a"}, {"File1", "*.b"}, {"File2", "*.c"}});
  ClickRow(controls_.ListBox1, 2);
  EXPECT_EQ(form_.ItemIndex(), 2);
  EXPECT_EQ(Arrows(), std::make_pair(true, false));
  Click(controls_.BitBtn4);  // the last row goes; the new last one is selected
  EXPECT_EQ(form_.Rows(), (std::vector<std::string>{"*.a", "*.b"}));
  EXPECT_EQ(form_.ItemIndex(), 1);
  EXPECT_EQ(Arrows(), std::make_pair(true, false));

  Click(controls_.SpeedButton1);
  EXPECT_EQ(form_.Rows(), (std::vector<std::string>{"*.b", "*.a"}));
  EXPECT_EQ(form_.ItemIndex(), 0);
  EXPECT_EQ(Arrows(), std::make_pair(false, true));
  Click(controls_.SpeedButton2);
  EXPECT_EQ(form_.Rows(), (std::vector<std::string>{"*.a", "*.b"}));
  EXPECT_EQ(form_.ItemIndex(), 1);

  // Stale enabled buttons with nothing to move change nothing.
  EnableWindow(controls_.SpeedButton2, TRUE);
  form_.SpeedButton2Click();  // already the last row
  ClickRow(controls_.ListBox1, 0);
  EnableWindow(controls_.SpeedButton1, TRUE);
  form_.SpeedButton1Click();  // already the first row
  EXPECT_EQ(form_.Rows(), (std::vector<std::string>{"*.a", "*.b"}));
  EXPECT_EQ(form_.ItemIndex(), 0);

  // Add leaves the arrows as they were, even when they are now stale.
  ClickRow(controls_.ListBox1, 0);
  EXPECT_EQ(Arrows(), std::make_pair(false, true));
  SendMessageW(controls_.ListBox1, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  Add("*.z");
  EXPECT_EQ(Arrows(), std::make_pair(false, true));
  form_.SpeedButton2Click();  // no selection
  EXPECT_EQ(form_.Rows(), (std::vector<std::string>{"*.a", "*.b", "*.z"}));
  Click(controls_.BitBtn4);  // no selection: nothing deleted
  EXPECT_EQ(form_.Rows().size(), 3u);

  Load({{"FileCount", "0"}, {"File0", "*.only"}});
  ClickRow(controls_.ListBox1, 0);
  Click(controls_.BitBtn4);
  EXPECT_TRUE(form_.Rows().empty());
  EXPECT_EQ(form_.ItemIndex(), -1);
  EXPECT_EQ(Arrows(), std::make_pair(false, false));
}

TEST_F(OptionDialog, EnterInTheEditRunsOkAndAddsNothing) {
  Load({{"FileCount", "0"}, {"File0", "*.a"}});
  std::vector<std::string> calls;
  form_.SaveSettings = [&] {
    calls.push_back("save");
    return true;
  };
  form_.RebuildFilter = [&](const std::vector<std::string>& rows) {
    calls.push_back("filter:" + std::to_string(rows.size()));
  };
  bool focusedOnOk = false;
  int result = ShowWith(form_, [&] {
    focusedOnOk = FocusOnceActive() == controls_.BitBtn1;
    SetFocus(controls_.Edit1);
    SetWindowTextUtf8(controls_.Edit1, "*.typed");
    PressKey(controls_.Edit1, VK_RETURN);
  });
  EXPECT_TRUE(focusedOnOk);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(calls, (std::vector<std::string>{"save", "filter:1"}));
  EXPECT_EQ(form_.Rows(), std::vector<std::string>{"*.a"});
  EXPECT_EQ(Text(controls_.Edit1), "*.typed");
  EXPECT_FALSE(IsWindowVisible(form_.Handle()));

  // The next opening finds the focus where it was left.
  HWND focusOnReopening = nullptr;
  ShowWith(form_, [&] {
    focusOnReopening = FocusOnceActive();
    Click(controls_.BitBtn2);
  });
  EXPECT_EQ(focusOnReopening, controls_.Edit1);
}

TEST_F(OptionDialog, EnterOnAButtonPressesThatButtonAndOkElsewhere) {
  Load({{"FileCount", "0"}, {"File0", "*.a"}});
  int saves = 0;
  form_.SaveSettings = [&] { return ++saves > 0; };
  struct Case {
    HWND OptionFormControls::*focus;
    int result;
    int saves;
  };
  const Case cases[] = {
      {&OptionFormControls::BitBtn2, IDCANCEL, 0},
      {&OptionFormControls::ListBox1, IDOK, 1},
      {&OptionFormControls::BitBtn1, IDOK, 2},
  };
  for (const Case& c : cases) {
    HWND target = controls_.*c.focus;
    int result = ShowWith(form_, [&] {
      SetFocus(target);
      PressKey(target, VK_RETURN);
    });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(saves, c.saves);
  }
}

TEST_F(OptionDialog, AFailedSaveKeepsTheDialogOpenAndTheFilterUnchanged) {
  Load({{"FileCount", "-1"}});
  int saves = 0, rebuilds = 0;
  form_.SaveSettings = [&] { return ++saves > 1; };  // the first save fails
  form_.RebuildFilter = [&](const std::vector<std::string>&) { ++rebuilds; };
  bool openAfterFailure = false;
  int rebuildsAfterFailure = -1;
  int result = ShowWith(form_, [&] {
    Click(controls_.BitBtn1);
    openAfterFailure = form_.Showing() && IsWindowVisible(form_.Handle());
    rebuildsAfterFailure = rebuilds;
    Click(controls_.BitBtn1);
  });
  EXPECT_TRUE(openAfterFailure);
  EXPECT_EQ(rebuildsAfterFailure, 0);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(saves, 2);
  EXPECT_EQ(rebuilds, 1);
}

TEST_F(OptionDialog, CancelAndTheCloseBoxWriteNothingAndEscapeDoesNotClose) {
  Load({{"FileCount", "-1"}});
  int calls = 0;
  form_.SaveSettings = [&] { return ++calls > 0; };
  form_.RebuildFilter = [&](const std::vector<std::string>&) { ++calls; };
  bool openAfterEscape = false;
  const auto escape = [&] {
    SetFocus(controls_.Edit1);
    PressKey(controls_.Edit1, VK_ESCAPE);
  };
  // Runs after the key has gone through the dialog's loop.
  const auto thenCancel = [&] {
    openAfterEscape = form_.Showing();
    Add("*.kept");
    Click(controls_.BitBtn2);
  };
  int result = testsupport::ModalScript::Run(form_, {escape, thenCancel}).result;
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(calls, 0);
  // Cancel puts the rows back as they were at the opening.
  EXPECT_TRUE(form_.Rows().empty());

  Load({{"FileCount", "1"}, {"File0", "*.a"}, {"File1", "*.b"}});
  result = ShowWith(form_, [&] {
    ClickRow(controls_.ListBox1, 0);
    Click(controls_.BitBtn4);
    PostMessageW(form_.Handle(), WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(form_.Rows(), (std::vector<std::string>{"*.a", "*.b"}));
}

TEST_F(OptionDialog, ArrowButtonsLeaveTheFocusWhereItWas) {
  Load({{"FileCount", "1"}, {"File0", "*.a"}, {"File1", "*.b"}});
  HWND focusAfterClick = nullptr;
  std::vector<std::string> rowsAfterClick;
  ShowWith(form_, [&] {
    SetFocus(controls_.ListBox1);
    ClickRow(controls_.ListBox1, 1);
    Click(controls_.SpeedButton1);
    focusAfterClick = GetFocus();
    rowsAfterClick = form_.Rows();
    Click(controls_.BitBtn2);
  });
  EXPECT_EQ(focusAfterClick, controls_.ListBox1);
  EXPECT_EQ(rowsAfterClick, (std::vector<std::string>{"*.b", "*.a"}));
}

TEST_F(OptionDialog, KeepsItsWidthAndStaysWithinItsHeightLimits) {
  HWND dialog = form_.Handle();
  auto sizeAfter = [&](int width, int height) {
    SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    RECT r;
    GetWindowRect(dialog, &r);
    return std::make_pair(static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top));
  };
  form_.SetMaxHeight(600);
  EXPECT_EQ(sizeAfter(400, 500), std::make_pair(288, 500));
  EXPECT_EQ(sizeAfter(100, 900), std::make_pair(288, 600));
  EXPECT_EQ(sizeAfter(288, 100), std::make_pair(288, 322));
  // A main window lower than the dialog's minimum lowers the minimum too.
  form_.SetMaxHeight(300);
  EXPECT_EQ(form_.MinHeight(), 300);
  EXPECT_EQ(sizeAfter(288, 500).second, 300);
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(BoundsInParent(controls_.BitBtn1).bottom, client.bottom - 10);
}

}  // namespace
}  // namespace korvath
