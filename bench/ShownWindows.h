// The program's windows as the window benchmarks start them: made in the
// program entry's order, the main window shown, and the benchmark's own
// message pump run until idle (given the main window, then null once the
// windows are gone).
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "About.h"
#include "Option.h"
#include "ProgramWindows.h"
#include "Setup.h"

namespace korvath {

class ShownWindows {
 public:
  explicit ShownWindows(std::function<void(HWND)> pump) : pump_(std::move(pump)) {
    program.Create();
    setup = &program.Setup();
    about = &program.About();
    option = &program.Option();
    ShowWindow(setup->Handle(), SW_SHOWNORMAL);
    UpdateWindow(setup->Handle());
    pump_(setup->Handle());
  }
  ShownWindows(const ShownWindows&) = delete;
  ShownWindows& operator=(const ShownWindows&) = delete;
  ~ShownWindows() {
    program.Destroy();
    pump_(nullptr);
  }

  ProgramWindows program;
  TSetupForm1* setup = nullptr;
  TAboutForm1* about = nullptr;
  TOptionForm1* option = nullptr;

 protected:
  std::function<void(HWND)> pump_;
};

}  // namespace korvath
