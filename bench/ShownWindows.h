// The program's windows as the window benchmarks start them: made in the
// program entry's order, the main window shown, and the benchmark's own
// message pump run until idle (given the main window, then null once the
// windows are gone). Also the files the window benchmarks open, written by
// UTF-8 path through the wide functions.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "About.h"
#include "Option.h"
#include "ProgramWindows.h"
#include "Setup.h"
#include "WideText.h"

namespace korvath {

inline void WriteBenchFile(const std::string& path, std::string_view bytes) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

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
