#include "OptionLayout.h"

namespace korvath {

OptionLayout ComputeOptionLayout(int clientWidth, int clientHeight) {
  OptionLayout layout;
  layout.Image1 = {clientWidth - kGripWidth, clientHeight - kGripHeight, kGripWidth, kGripHeight};
  constexpr int kListTop = 80;
  layout.ListBox1 = {38, kListTop, 121, clientHeight - kListTop - kButtonHeight - 20};
  layout.BitBtn1 = {145, clientHeight - kButtonHeight - 10, 90, kButtonHeight};
  layout.BitBtn2 = {45, clientHeight - kButtonHeight - 10, 90, kButtonHeight};
  int middle = kListTop + layout.ListBox1.Height / 2;
  layout.SpeedButton1 = {168, middle - kArrowHeight - 4, 24, kArrowHeight};
  layout.SpeedButton2 = {168, middle + 4, 24, kArrowHeight};
  return layout;
}

}  // namespace korvath
