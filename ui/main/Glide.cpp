#include "Glide.h"

namespace korvath {

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
