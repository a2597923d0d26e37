#include "Glide.h"

namespace korvath {

// C++ integer division truncates toward zero, which is what the glide wants
// for both the target and the steps.

GlidePoint GlideTarget(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
  return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2};
}

GlidePoint GlideStep(GlidePoint from, GlidePoint target) {
  return {(target.left - from.left) / 10, (target.top - from.top) / 10};
}

std::array<GlidePoint, kGlideSteps + 1> GlidePath(GlidePoint from, GlidePoint target) {
  const GlidePoint step = GlideStep(from, target);
  std::array<GlidePoint, kGlideSteps + 1> path{};
  GlidePoint at = from;
  for (int i = 0; i < kGlideSteps; ++i) {
    at.left += step.left;
    at.top += step.top;
    path[i] = at;
  }
  path[kGlideSteps] = target;
  return path;
}

namespace {

void MoveWindowTo(HWND window, int left, int top) {
  SetWindowPos(window, nullptr, left, top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

}  // namespace

void CenterWindowAnimated(HWND window) {
  RECT bounds;
  if (!GetWindowRect(window, &bounds)) return;
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const GlidePoint target =
      GlideTarget(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height);
  GlidePoint at{bounds.left, bounds.top};
  for (const GlidePoint& stop : GlidePath(at, target)) {
    // The left edge moves first and the top edge after it, as two moves.
    at.left = stop.left;
    MoveWindowTo(window, at.left, at.top);
    at.top = stop.top;
    MoveWindowTo(window, at.left, at.top);
    UpdateWindow(window);
  }
}

}  // namespace korvath
