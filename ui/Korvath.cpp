// Program entry: the application title, the windows in their start-up order,
// then the message loop.

#include <windows.h>

#include "Application.h"
#include "Setup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace korvath;
  Application.SetTitle("Korvath");
  Application.Initialize(instance);
  TSetupForm1 setup;
  SetupForm1 = &setup;
  setup.Create();
  ShowWindow(setup.Handle(), SW_SHOWNORMAL);
  UpdateWindow(setup.Handle());
  int code = Application.Run();
  SetupForm1 = nullptr;
  return code;
}
