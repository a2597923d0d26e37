// Program entry: the application title, the windows in their start-up order,
// then the message loop.

#include <windows.h>

#include "About.h"
#include "Application.h"
#include "CommandLine.h"
#include "Option.h"
#include "Setup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  using namespace korvath;
  Application.Initialize(instance);
  Application.SetTitle("Korvath");

  TSetupForm1 setup;
  TAboutForm1 about;
  TOptionForm1 option;
  // The creation sequence reports its own errors and goes on; an error that
  // still escapes leaves the windows half made: report it and end without
  // saving anything, rather than let it end the process unreported.
  const bool created = Application.Guard([&] {
    // Created first, the main window is the application's main window; its
    // creation sequence runs inside Create.
    SetupForm1 = &setup;
    // A folder or files handed over ("Send To", a shortcut) are shown first.
    setup.StartPaths = CommandLinePaths(arguments ? arguments : "");
    setup.Create();

    AboutForm1 = &about;
    about.Create(Application.Handle());

    // The options dialog holds the user-defined masks that the settings save
    // reads at closing, so it lives until the main window has gone.
    OptionForm1 = &option;
    option.Create(Application.Handle());
    setup.LoadOptionMasks();
  });
  if (!created) {
    SetupForm1 = nullptr;
    AboutForm1 = nullptr;
    OptionForm1 = nullptr;
    return 1;
  }

  // The application's own window, zero-sized, carries the taskbar entry
  // "Korvath" for the windows it owns.
  ShowWindow(Application.Handle(), SW_SHOWNOACTIVATE);
  ShowWindow(setup.Handle(), SW_SHOWNORMAL);
  UpdateWindow(setup.Handle());
  int code = Application.Run();

  SetupForm1 = nullptr;
  AboutForm1 = nullptr;
  OptionForm1 = nullptr;
  return code;
}
