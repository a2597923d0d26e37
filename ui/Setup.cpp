#include "Setup.h"

#include "Application.h"

namespace korvath {

TSetupForm1* SetupForm1 = nullptr;

void TSetupForm1::Create() {
  CreateParams p;
  p.className = "TSetupForm1";
  p.caption = "Korvath ver1.7";
  p.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  p.left = 198;
  p.top = 95;
  p.width = 521;
  p.height = 430;
  p.icon = LoadIconA(Application.Instance(), MAKEINTRESOURCEA(1));
  CreateHandle(p);
}

LRESULT TSetupForm1::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return TForm::WndProc(msg, wparam, lparam);
}

}  // namespace korvath
