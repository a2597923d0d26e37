// The Home-key glide: its arithmetic against worked examples, and a real
// window under Wine following the path, left edge before top edge, with a
// repaint after each stop.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "Glide.h"

namespace korvath {
namespace {

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
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

TEST(CenterWindowAnimated, MovesLeftThenTopThenRepaintsAtEachStop) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &RecordingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "GlideTestWindow";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, wc.lpszClassName, "glide", WS_POPUP | WS_VISIBLE, 0, 0, 521, 430,
                                nullptr, nullptr, wc.hInstance, nullptr);
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
