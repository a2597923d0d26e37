#pragma once
// The Home-key glide: the window slides to the centre of the primary screen
// in ten steps, each followed by an immediate repaint, so that the pace comes
// from the repaints rather than from a timer.

#include <windows.h>

#include <array>

namespace korvath {

struct GlidePoint {
  int left = 0;
  int top = 0;
  bool operator==(const GlidePoint&) const = default;
};

// Where the glide ends: the window centred on a screen of the given size
// (negative when the window is larger than the screen).
GlidePoint GlideTarget(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

// One tenth of the way, truncated toward zero on each axis.
GlidePoint GlideStep(GlidePoint from, GlidePoint target);

// The glide's ten stops: nine steps from `from`, then the target itself,
// which takes up whatever the truncation left over.
inline constexpr int kGlideSteps = 9;
std::array<GlidePoint, kGlideSteps + 1> GlidePath(GlidePoint from, GlidePoint target);

// Moves `window` (a top-level window) along its glide path to the centre of
// the primary display's full area: at each stop the left edge, then the top
// edge, then an immediate repaint.
void CenterWindowAnimated(HWND window);

}  // namespace korvath
