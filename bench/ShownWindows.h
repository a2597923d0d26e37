// The program's windows as the window benchmarks start them: made in the
// program entry's order, the main window shown, and the benchmark's own
// message pump run until idle (given the main window, then null once the
// windows are gone). Also the files the window benchmarks open, written by
// UTF-8 path through the wide functions, and the timing of a program's start
// in its own process.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "About.h"
#include "DialogAccess.h"
#include "Option.h"
#include "ProgramWindows.h"
#include "Setup.h"
#include "WideText.h"
#include "WindowAccess.h"

namespace korvath {

inline void WriteBenchFile(const std::string& path, std::string_view bytes) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// Starts commandLine in folder and returns the milliseconds until a visible
// window of the process whose title holds titlePart answers a sent message:
// its message loop runs, the window shown and idle. The same test serves the
// program and the bare ones (a console program has no input-idle event).
// Then closes it; peakMiB, when given, receives the process's peak working
// set until then.
inline double TimeProgramStart(const std::string& commandLine, const std::string& folder,
                               const wchar_t* titlePart = L"", double* peakMiB = nullptr) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring command = Widen(commandLine);
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      Widen(folder).c_str(), &startup, &process)) {
    std::printf("cannot start %s\n", commandLine.c_str());
    std::exit(1);
  }
  struct Found {
    DWORD process;
    const wchar_t* titlePart;
    HWND window;
  } found{process.dwProcessId, titlePart, nullptr};
  for (int waited = 0; !found.window && waited < 60000; ++waited) {
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto* f = reinterpret_cast<Found*>(data);
          DWORD pid = 0;
          GetWindowThreadProcessId(window, &pid);
          wchar_t title[64] = {};
          GetWindowTextW(window, title, 64);
          if (pid == f->process && IsWindowVisible(window) &&
              std::wstring(title).find(f->titlePart) != std::wstring::npos) {
            f->window = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (!found.window) Sleep(1);
  }
  DWORD_PTR answer = 0;
  if (found.window) SendMessageTimeoutW(found.window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
  QueryPerformanceCounter(&end);
  if (peakMiB != nullptr) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    *peakMiB = GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)
                   ? static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20)
                   : -1;
  }
  if (found.window) PostMessageW(found.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!found.window) {
    std::printf("%s showed no window\n", commandLine.c_str());
    std::exit(1);
  }
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

class ShownWindows {
 public:
  explicit ShownWindows(std::function<void(HWND)> pump) : pump_(std::move(pump)) {
    program.Create();
    setup = &program.Setup();
    controls = &testsupport::WindowAccess::Controls(*setup);
    about = &program.About();
    option = &program.Option();
    optionControls = &testsupport::DialogAccess::Controls(*option);
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
  SetupFormControls* controls = nullptr;  // setup's
  TAboutForm1* about = nullptr;
  TOptionForm1* option = nullptr;
  OptionFormControls* optionControls = nullptr;  // option's

 protected:
  std::function<void(HWND)> pump_;
};

}  // namespace korvath
