// The Home-key glide under Wine: a real window follows its path, left edge
// before top edge, with a repaint after each stop.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "Glide.h"

namespace korvath {
namespace {

// A bare top-level window that records what the glide does to it: each
// move, and each repaint (the test invalidates it after every move, so that
// the glide's immediate repaints become visible as WM_PAINT).
std::vector<std::string>* events = nullptr;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_WINDOWPOSCHANGED && events) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(lparam);
    if (!(pos->flags & SWP_NOMOVE)) {
      events->push_back("move " + std::to_string(pos->x) + "," + std::to_string(pos->y));
      InvalidateRect(hwnd, nullptr, FALSE);
    }
    return 0;
  }
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    if (events) events->push_back("paint");
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

TEST(CenterWindowAnimated, MovesLeftThenTopThenRepaintsAtEachStop) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &RecordingProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"GlideTestWindow";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"glide", WS_POPUP | WS_VISIBLE, 0, 0, 521,
                                430, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  UpdateWindow(window);

  std::vector<std::string> seen;
  events = &seen;
  CenterWindowAnimated(window);
  events = nullptr;

  const GlidePoint target =
      GlideTarget(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 521, 430);
  std::vector<std::string> expected;
  GlidePoint at{0, 0};
  for (const GlidePoint& stop : GlidePath(at, target)) {
    expected.push_back("move " + std::to_string(stop.left) + "," + std::to_string(at.top));
    expected.push_back("move " + std::to_string(stop.left) + "," + std::to_string(stop.top));
    expected.push_back("paint");
    at = stop;
  }
  EXPECT_EQ(seen, expected);

  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, target.left);
  EXPECT_EQ(r.top, target.top);
  DestroyWindow(window);
}

}  // namespace
}  // namespace korvath
