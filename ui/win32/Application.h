#pragma once
// The application object: its title (the taskbar text and the caption of the
// general error report) and the hidden window that owns every form, so that
// minimising the application minimises all of its windows at once.

#include <windows.h>

#include <exception>
#include <string>
#include <utility>

namespace korvath {

class TApplication {
 public:
  TApplication() = default;
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;
  ~TApplication();

  // Creates the owner window; called once by the program entry.
  void Initialize(HINSTANCE instance);
  HINSTANCE Instance() const { return instance_; }
  HWND Handle() const { return handle_; }

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // The main window: the first form created. The taskbar entry's close
  // and activation are handed to it.
  HWND MainWindow() const { return mainWindow_; }
  void SetMainWindow(HWND window) { mainWindow_ = window; }

  // Minimises the application as a whole (all of its windows).
  void Minimize();

  // The general error report: caption Title(), error icon, OK; the message
  // gets a "." when its last character's code is above that of ".".
  void ShowException(const std::exception& error);

  // The one guard around program code entered from outside (window
  // procedures, hooks, the creation sequence): whatever escapes `action`
  // ends there, in the general error report. False when it caught one.
  template <class Action>
  bool Guard(Action&& action) noexcept {
    try {
      std::forward<Action>(action)();
      return true;
    } catch (const std::exception& error) {
      Report(&error);
    } catch (...) {
      Report(nullptr);
    }
    return false;
  }

  // Runs the message loop until WM_QUIT; returns its exit code.
  int Run();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam);
  void HandOverActivation();
  // Shows the report for error (null: not a std::exception); never throws.
  void Report(const std::exception* error) noexcept;

  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
  HWND mainWindow_ = nullptr;
  std::string title_;
};

// The message of the general error report for an error's text.
std::string ErrorReportText(const std::string& message);

extern TApplication Application;

}  // namespace korvath
