#pragma once
// Lengths designed at 96 dots per inch, scaled to a window's pixel density.
// Every position, size and font height of the windows goes through here, so
// that at 96 nothing moves and at any other density each length is rounded
// once, the way the system rounds (MulDiv: halves away from zero).

#include <cstdint>

namespace korvath {

inline constexpr int kDesignDpi = 96;

// Rounds a * b / c to the nearest integer, halves away from zero; c > 0.
constexpr int MulDivRound(int a, int b, int c) {
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : -((-product + half) / c));
}

struct Dpi {
  int value = kDesignDpi;

  // A design length (96 dots per inch) in this density's pixels.
  constexpr int Scale(int length) const { return MulDivRound(length, value, kDesignDpi); }
  // A length in this density's pixels back in design units.
  constexpr int Unscale(int length) const { return MulDivRound(length, kDesignDpi, value); }
  // The character height to ask of the font mapper for a design height.
  constexpr int FontHeight(int designHeight) const { return Scale(designHeight); }
  constexpr bool IsDesign() const { return value == kDesignDpi; }

  // Any record of left, top, width, height (Bounds, ControlBounds): each edge
  // is scaled from the design edges, so that two controls that touch at 96
  // still touch, and each width is the difference of its scaled edges.
  template <class Rect>
  constexpr Rect ScaleRect(int left, int top, int width, int height) const {
    const int l = Scale(left), t = Scale(top);
    return Rect{l, t, Scale(left + width) - l, Scale(top + height) - t};
  }

  friend constexpr bool operator==(Dpi, Dpi) = default;
};

// A density the system reports as 0 or nonsense counts as the design's.
constexpr Dpi ValidDpi(int value) { return Dpi{value >= 48 && value <= 960 ? value : kDesignDpi}; }

}  // namespace korvath
