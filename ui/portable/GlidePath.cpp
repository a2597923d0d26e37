#include "GlidePath.h"

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

}  // namespace korvath
