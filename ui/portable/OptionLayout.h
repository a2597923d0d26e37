#pragma once
// The options dialog's resizing rule as plain arithmetic.

#include "Dpi.h"

namespace korvath {

inline constexpr int kButtonHeight = 25;
inline constexpr int kArrowHeight = 24;
inline constexpr int kGripWidth = 32;
inline constexpr int kGripHeight = 15;

struct ControlBounds {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const ControlBounds&) const = default;
};

// Where the resizable parts go for a client size (the rest keep their
// layout positions).
struct OptionLayout {
  ControlBounds Image1, ListBox1, BitBtn1, BitBtn2, SpeedButton1, SpeedButton2;
};
OptionLayout ComputeOptionLayout(int clientWidth, int clientHeight, Dpi dpi = {});

}  // namespace korvath
