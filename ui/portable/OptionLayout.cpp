#include "OptionLayout.h"

#include <initializer_list>
#include <utility>

namespace korvath {

OptionLayout ComputeOptionLayout(int clientWidth, int clientHeight, Dpi dpi) {
  auto s = [dpi](int length) { return dpi.Scale(length); };
  // Widths and left edges as the control table scales them.
  auto across = [dpi](int left, int width) {
    return dpi.ScaleRect<ControlBounds>(left, 0, width, 0);
  };
  const int buttonHeight = s(kButtonHeight), arrowHeight = s(kArrowHeight);
  OptionLayout layout;
  layout.Image1 = {clientWidth - s(kGripWidth), clientHeight - s(kGripHeight), s(kGripWidth),
                   s(kGripHeight)};
  const int listTop = s(80);
  layout.ListBox1 = across(38, 121);
  layout.ListBox1.Top = listTop;
  layout.ListBox1.Height = clientHeight - listTop - buttonHeight - s(20);
  for (auto [button, left] : {std::pair{&layout.BitBtn1, 145}, std::pair{&layout.BitBtn2, 45}}) {
    *button = across(left, 90);
    button->Top = clientHeight - buttonHeight - s(10);
    button->Height = buttonHeight;
  }
  int middle = listTop + layout.ListBox1.Height / 2;
  layout.SpeedButton1 = across(168, 24);
  layout.SpeedButton1.Top = middle - arrowHeight - s(4);
  layout.SpeedButton1.Height = arrowHeight;
  layout.SpeedButton2 = across(168, 24);
  layout.SpeedButton2.Top = middle + s(4);
  layout.SpeedButton2.Height = arrowHeight;
  return layout;
}

}  // namespace korvath
