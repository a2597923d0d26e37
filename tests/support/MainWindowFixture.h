// The main window in-process for window tests: a scratch folder as the
// current folder, the windows made in start-up order by the program's own
// sequence, message boxes answered and recorded, and a message pump.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "About.h"
#include "Application.h"
#include "CommandLine.h"
#include "MessageBox.h"
#include "Option.h"
#include "ProgramWindows.h"
#include "Setup.h"
#include "Win32Folders.h"

namespace korvath::testsupport {

struct Box {
  std::string text, caption;
  UINT flags;
};

class MainWindowFixture : public ::testing::Test {
 protected:
  // tag names the scratch folder, so that a left-over folder says whose it is.
  explicit MainWindowFixture(std::string tag) : tag_(std::move(tag)) {}

  static void SetUpTestSuite() {
    if (!Application.Handle()) {
      Application.Initialize(GetModuleHandleA(nullptr));
      Application.SetTitle("Korvath");
    }
  }

  void SetUp() override {
    startFolder_ = CurrentFolder();
    folder_ = MakeScratchFolder(tag_);
    SetCurrentDirectoryA(folder_.c_str());
    if (answerBoxes_) {
      SetMessageBoxHandler(
          [this](HWND, const std::string& text, const std::string& caption, UINT flags) {
            boxes_.push_back({text, caption, flags});
            if (flags & MB_YESNO) return answer_;
            return IDOK;
          });
    }
  }

  void TearDown() override {
    if (answerBoxes_) SetMessageBoxHandler({});
    DestroyWindows();
    SetCurrentDirectoryA(startFolder_.c_str());
    BeforeRemovingFolder();
    RemoveTree(folder_);
  }
  virtual void BeforeRemovingFolder() {}

  // The windows in the program entry's order, the main window with the
  // command line's arguments, then shown.
  void Start(const std::string& arguments = "") {
    SetCurrentDirectoryA(folder_.c_str());
    windows_.Create(CommandLinePaths(arguments));
    form_ = &windows_.Setup();
    about_ = &windows_.About();
    option_ = &windows_.Option();
    ShowWindow(form_->Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(form_->Handle());
    UpdateWindow(form_->Handle());
    Pump();
  }

  // Closing by the close box: the settings are saved and the windows go.
  void Close() {
    PostMessageA(form_->Handle(), WM_CLOSE, 0, 0);
    Pump();
    DestroyWindows();
  }

  void DestroyWindows() {
    windows_.Destroy();
    form_ = nullptr;
    about_ = nullptr;
    option_ = nullptr;
    Pump();
  }

  // Dispatches what is queued, as the program's message loop does (with
  // dialogKeys_, Tab and Enter move through the main window's controls).
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      if (dialogKeys_ && form_ && form_->Handle() && IsDialogMessageA(form_->Handle(), &msg)) {
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  void Menu(UINT command) {
    PostMessageA(form_->Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    Pump();
  }

  // The main window's handlers are private; a test calls one through these.
  void PopupMenu1Popup() { form_->PopupMenu1Popup(); }

  ProgramWindows windows_;
  TSetupForm1* form_ = nullptr;
  TAboutForm1* about_ = nullptr;
  TOptionForm1* option_ = nullptr;
  std::vector<Box> boxes_;
  int answer_ = IDYES;        // the answer to a Yes/No box
  bool answerBoxes_ = true;   // false: the boxes stay as the test program set them
  bool dialogKeys_ = false;
  std::string folder_, startFolder_;

 private:
  std::string tag_;
};

}  // namespace korvath::testsupport
