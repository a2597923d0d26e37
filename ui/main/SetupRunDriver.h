#pragma once
// A rename run driven from the main window. The engine runs on the
// window's thread and the window handles its messages between the engine's
// file system calls; once the file system shows itself slow, each call is
// carried out on a worker thread while the window goes on handling its
// messages, so that it repaints, moves and answers however slow the file
// system is. For the
// run's length the inputs that could change it are disabled, the Execute
// button reads "中止" and asks, like Esc and closing, whether to stop; the
// status bar and the taskbar button show the progress.

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Setup.h"

namespace korvath {

class TaskbarProgress;

class TSetupForm1::RunDriver {
 public:
  // folder: where the files are; on a network drive every file system call
  // goes to the worker from the first, where a stop can cancel it.
  // stopQuestion: asked before stopping.
  RunDriver(TSetupForm1& form, const std::string& folder, std::string_view stopQuestion);
  RunDriver(const RunDriver&) = delete;
  RunDriver& operator=(const RunDriver&) = delete;
  // Gives back the inputs, clears the progress.
  ~RunDriver();

  // What the engine is given in place of the window's file system.
  FileSystem& Files();

  // The engine's progress: the first call (once the run is confirmed)
  // locks the window's inputs.
  void ShowProgress(std::size_t done, std::size_t total, const std::string& name);
  bool StopRequested() const { return stop_; }
  // Between the files: the run's files are renamed.
  bool Active() const { return active_; }
  // A close was confirmed: the window closes once the run is over, and
  // no box is shown before.
  bool Closing() const;

  // Asks whether to stop; closing: the window then closes after the run.
  void AskStop(bool closing);
  // From the key preview, where no box may be shown: asked at the next
  // pause for messages.
  void AskStopSoon() {
    if (active_) askPending_ = true;
  }

  // Handles the messages waiting, then a pending question.
  void Pump();
  // Pump, when the last was long enough ago.
  void PumpWhenDue();

 private:
  class PumpingFileSystem;
  void LockInputs();
  void UnlockInputs();

  TSetupForm1& form_;
  std::unique_ptr<PumpingFileSystem> files_;
  std::unique_ptr<TaskbarProgress> taskbar_;
  struct Locked {
    HWND window;
    bool enabled;
  };
  std::vector<Locked> locked_;
  std::vector<UINT> lockedMenus_;  // top-level menu positions greyed
  HWND focus_ = nullptr;
  std::string caption_;  // the Execute button's, given back after the run
  bool buttonEnabled_ = true;  // likewise its state: it is the stop button meanwhile
  std::string stopQuestion_;
  bool active_ = false;
  bool stop_ = false;
  bool asking_ = false;
  bool askPending_ = false;
  bool quit_ = false;
  int quitCode_ = 0;
  ULONGLONG lastPump_ = 0;
  ULONGLONG lastShown_ = 0;
};

}  // namespace korvath
