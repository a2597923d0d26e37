// Program entry: the application title, the windows in their start-up order,
// then the message loop.

#include <windows.h>

#include <string>

#include "Application.h"
#include "CommandLine.h"
#include "ProgramWindows.h"
#include "Setup.h"
#include "SystemDlls.h"
#include "Texts.h"
#include "WideText.h"

// The wide entry: paths handed over may hold any character.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR arguments, int) {
  using namespace korvath;
  RestrictDllSearch();
  Application.Initialize(instance);
  Application.SetTitle(std::string(Text(kTextProgramName)));

  ProgramWindows windows;
  // The creation sequence reports its own errors and goes on; an error that
  // still escapes leaves the windows half made: report it and end without
  // saving anything, rather than let it end the process unreported.
  const bool created = Application.Guard([&] {
    // A folder or files handed over ("Send To", a shortcut) are shown first.
    windows.Create(CommandLinePaths(arguments ? Narrow(arguments) : std::string()));
  });
  if (!created) return 1;

  // The application's own window, zero-sized, carries the taskbar entry
  // "Korvath" for the windows it owns.
  ShowWindow(Application.Handle(), SW_SHOWNOACTIVATE);
  HWND main = windows.Setup().Handle();
  ShowWindow(main, SW_SHOWNORMAL);
  UpdateWindow(main);
  return Application.Run();
}
