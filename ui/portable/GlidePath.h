#pragma once
// The Home-key glide's arithmetic: ten stops from where the window stands to
// the centre of the screen, as plain numbers.

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

}  // namespace korvath
