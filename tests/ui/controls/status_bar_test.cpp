// The main window's status bar under Wine: the messages the window writes
// and reads it with, the panels' bounds, and a text that is on the screen
// as soon as it is set, with no paint cycle in between.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "StatusBar.h"
#include "WideText.h"

namespace korvath {
namespace {

class StatusBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"StatusBarTestHost";
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    RegisterClassW(&wc);
    host_ = CreateWindowExW(0, L"StatusBarTestHost", L"host", WS_OVERLAPPEDWINDOW, 50, 50, 521, 430,
                            nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(host_, nullptr);
    bar_ = CreateStatusBar(host_, 7, 19);
    ASSERT_NE(bar_, nullptr);
    RECT client;
    GetClientRect(host_, &client);
    SetWindowPos(bar_, nullptr, 0, client.bottom - 19, client.right, 19, SWP_NOZORDER);
    int edges[5] = {100, 200, 300, 400, 480};
    ASSERT_TRUE(SendMessageW(bar_, SB_SETPARTS, 5, reinterpret_cast<LPARAM>(edges)));
    ShowWindow(host_, SW_SHOWNORMAL);
    Pump();
  }
  void TearDown() override { DestroyWindow(host_); }

  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  std::string Text(int part, LRESULT* result = nullptr) {
    wchar_t buffer[256] = {};
    LRESULT r = SendMessageW(bar_, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(buffer));
    if (result) *result = r;
    return Narrow(buffer);
  }
  // Pixels of the text colour inside rect, read back from the screen.
  int TextPixels(const RECT& rect) {
    HDC dc = GetDC(bar_);
    COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    int count = 0;
    for (int y = rect.top + 2; y < rect.bottom - 2; ++y) {
      for (int x = rect.left + 2; x < rect.right - 2; ++x) count += GetPixel(dc, x, y) == ink;
    }
    ReleaseDC(bar_, dc);
    return count;
  }

  HWND host_ = nullptr;
  HWND bar_ = nullptr;
};

TEST_F(StatusBarTest, KeepsPartsAndTextsAsTheWindowWritesThem) {
  int edges[8] = {};
  EXPECT_EQ(SendMessageW(bar_, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)), 5);
  EXPECT_EQ(edges[0], 100);
  EXPECT_EQ(edges[4], 480);
  EXPECT_EQ(SendMessageW(bar_, SB_GETPARTS, 0, 0), 5);

  RECT first{}, second{};
  ASSERT_TRUE(SendMessageW(bar_, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&first)));
  ASSERT_TRUE(SendMessageW(bar_, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&second)));
  EXPECT_EQ(first.left, 0);
  EXPECT_EQ(first.right, 100);
  EXPECT_EQ(second.left, 102);  // a gap between two panels
  EXPECT_EQ(second.right, 200);
  EXPECT_EQ(first.top, 2);
  EXPECT_EQ(first.bottom, 17);
  RECT none{};
  EXPECT_FALSE(SendMessageW(bar_, SB_GETRECT, 5, reinterpret_cast<LPARAM>(&none)));

  LRESULT result = 0;
  ASSERT_TRUE(SendMessageW(bar_, SB_SETTEXTW, 3, reinterpret_cast<LPARAM>(L"\t12個完了")));
  EXPECT_EQ(Text(3, &result), "\t12個完了");
  EXPECT_EQ(LOWORD(result), std::wstring(L"\t12個完了").size());  // in UTF-16 units
  ASSERT_TRUE(SendMessageW(bar_, SB_SETTEXTW, 4 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(L"")));
  Text(4, &result);
  EXPECT_EQ(HIWORD(result), SBT_NOBORDERS);
  EXPECT_FALSE(SendMessageW(bar_, SB_SETTEXTW, 5, reinterpret_cast<LPARAM>(L"beyond")));

  // Fewer parts drop the texts of the parts that go.
  int three[3] = {100, 200, -1};
  SendMessageW(bar_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(three));
  EXPECT_EQ(SendMessageW(bar_, SB_GETTEXTLENGTHW, 3, 0), 0);
  RECT last{};
  SendMessageW(bar_, SB_GETRECT, 2, reinterpret_cast<LPARAM>(&last));
  RECT client;
  GetClientRect(bar_, &client);
  EXPECT_EQ(last.right, client.right);  // -1 reaches the bar's end
}

TEST_F(StatusBarTest, SimpleModeHoldsItsOwnText) {
  SendMessageW(bar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"\tname.jpg"));
  SendMessageW(bar_, SB_SIMPLE, TRUE, 0);
  EXPECT_TRUE(SendMessageW(bar_, SB_ISSIMPLE, 0, 0));
  SendMessageW(bar_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(L"hint"));
  EXPECT_EQ(Text(SB_SIMPLEID), "hint");
  SendMessageW(bar_, SB_SIMPLE, FALSE, 0);
  EXPECT_FALSE(SendMessageW(bar_, SB_ISSIMPLE, 0, 0));
  EXPECT_EQ(Text(0), "\tname.jpg");
}

TEST_F(StatusBarTest, DrawsANewTextAtOnceWithoutAPaintCycle) {
  RECT panel{};
  SendMessageW(bar_, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&panel));
  ASSERT_EQ(TextPixels(panel), 0);

  SendMessageW(bar_, SB_SETTEXTW, 3, reinterpret_cast<LPARAM>(L"\t1個完了"));
  RECT pending{};
  EXPECT_FALSE(GetUpdateRect(bar_, &pending, FALSE));
  EXPECT_GT(TextPixels(panel), 10);

  // The neighbours are left as they were.
  RECT neighbour{};
  SendMessageW(bar_, SB_GETRECT, 2, reinterpret_cast<LPARAM>(&neighbour));
  EXPECT_EQ(TextPixels(neighbour), 0);

  // A full repaint draws the same text again; an emptied panel is blank.
  InvalidateRect(bar_, nullptr, TRUE);
  UpdateWindow(bar_);
  EXPECT_GT(TextPixels(panel), 10);
  SendMessageW(bar_, SB_SETTEXTW, 3, reinterpret_cast<LPARAM>(L""));
  EXPECT_EQ(TextPixels(panel), 0);

  // A hidden bar keeps the text for its next paint and draws nothing.
  ShowWindow(bar_, SW_HIDE);
  SendMessageW(bar_, SB_SETTEXTW, 3, reinterpret_cast<LPARAM>(L"\t2個完了"));
  ShowWindow(bar_, SW_SHOW);
  UpdateWindow(bar_);
  EXPECT_GT(TextPixels(panel), 10);
}

TEST_F(StatusBarTest, GripIsHitUntilTheHostIsMaximised) {
  RECT bar;
  GetWindowRect(bar_, &bar);
  LPARAM corner = MAKELPARAM(bar.right - 3, bar.bottom - 3);
  EXPECT_EQ(SendMessageW(bar_, WM_NCHITTEST, 0, corner), HTBOTTOMRIGHT);
  EXPECT_EQ(SendMessageW(bar_, WM_NCHITTEST, 0, MAKELPARAM(bar.left + 30, bar.top + 5)), HTCLIENT);
  ShowWindow(host_, SW_MAXIMIZE);
  Pump();
  GetWindowRect(bar_, &bar);
  corner = MAKELPARAM(bar.right - 3, bar.bottom - 3);
  EXPECT_EQ(SendMessageW(bar_, WM_NCHITTEST, 0, corner), HTCLIENT);
}

}  // namespace
}  // namespace korvath
