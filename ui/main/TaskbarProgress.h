#pragma once
// The taskbar button's progress indicator, where the system offers one
// (ITaskbarList3); elsewhere every call does nothing.

#include <windows.h>

#include <cstddef>

struct ITaskbarList3;

namespace korvath {

class TaskbarProgress {
 public:
  // window: the window that owns the taskbar button.
  explicit TaskbarProgress(HWND window);
  TaskbarProgress(const TaskbarProgress&) = delete;
  TaskbarProgress& operator=(const TaskbarProgress&) = delete;
  // Takes the indicator off the button.
  ~TaskbarProgress();

  void Show(std::size_t done, std::size_t total);
  bool Offered() const { return list_ != nullptr; }

 private:
  HWND window_;
  ITaskbarList3* list_ = nullptr;
  bool uninitialize_ = false;  // this object started COM on the thread
};

}  // namespace korvath
