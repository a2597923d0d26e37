// The main window in-process for window tests: a scratch folder as the
// current folder, the windows made in start-up order by the program's own
// sequence, message boxes answered and recorded, and a message pump.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "About.h"
#include "Application.h"
#include "CommandLine.h"
#include "DialogAccess.h"
#include "MessageBox.h"
#include "Option.h"
#include "ProgramWindows.h"
#include "RecordedBox.h"
#include "Setup.h"
#include "TestFiles.h"
#include "WideText.h"
#include "Win32Folders.h"
#include "WindowAccess.h"
#include "WindowText.h"
#include "WorkingFolder.h"

namespace korvath::testsupport {

// Texts as a user sees them, read through the wide functions as UTF-8.
inline std::string MenuText(HMENU menu, UINT item, UINT flags) {
  wchar_t buffer[256] = {};
  GetMenuStringW(menu, item, buffer, 256, flags);
  return Narrow(buffer);
}

inline std::string StatusBarText(HWND bar, int panel) {
  std::wstring buffer(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, panel, 0)) + 1, L'\0');
  SendMessageW(bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(buffer.data()));
  return Narrow(buffer.c_str());
}

inline std::string ComboItem(HWND combo, int index) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1,
                    L'\0');
  SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return Narrow(text.c_str());
}

inline std::string ProfileText(const std::string& ini, const char* section, const std::string& key,
                               const char* fallback = "<none>") {
  wchar_t buffer[1024] = {};
  GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(fallback).c_str(),
                           buffer, 1024, Widen(ini).c_str());
  return Narrow(buffer);
}

inline void WriteProfileText(const std::string& ini, const char* section, const char* key,
                             const std::string& value) {
  WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str(),
                             Widen(ini).c_str());
}

// Access keys as a menu shows them: the letter after a single "&".
inline char AccessKey(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}

// Every item of the menus and of their submenus without an access key, or
// with one that another item of its menu has too; walked counts the menus.
inline std::vector<std::string> AccessKeyFaults(std::vector<HMENU> menus, std::size_t& walked) {
  std::vector<std::string> faults;
  for (walked = 0; walked < menus.size(); ++walked) {
    HMENU menu = menus[walked];
    std::map<char, std::string> taken;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      const std::string caption = MenuText(menu, static_cast<UINT>(i), MF_BYPOSITION);
      if (HMENU sub = GetSubMenu(menu, i)) menus.push_back(sub);
      if (caption.empty()) continue;  // a separator
      const char key = AccessKey(caption);
      if (!key) {
        faults.push_back(caption + " has no access key");
      } else if (!taken.emplace(key, caption).second) {
        faults.push_back(caption + " and " + taken[key] + " share " + key);
      }
    }
  }
  return faults;
}

// Types text into a control as the keyboard would, one UTF-16 unit per
// WM_CHAR (a character beyond the first plane comes as its two halves).
inline void TypeText(HWND control, const std::string& text) {
  for (wchar_t unit : Widen(text)) PostMessageW(control, WM_CHAR, unit, 1);
}

class MainWindowFixture : public ::testing::Test {
 protected:
  // tag names the scratch folder, so that a left-over folder says whose it is.
  explicit MainWindowFixture(std::string tag) : tag_(std::move(tag)) {}

  static void SetUpTestSuite() {
    if (!Application.Handle()) {
      Application.Initialize(GetModuleHandleW(nullptr));
      Application.SetTitle("Korvath");
    }
  }

  void SetUp() override {
    startFolder_ = WorkingFolder();
    folder_ = MakeScratchFolder(tag_);
    SetWorkingFolder(folder_);
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
    SetWorkingFolder(startFolder_);
    BeforeRemovingFolder();
    RemoveTree(folder_);
  }
  virtual void BeforeRemovingFolder() {}

  // The windows in the program entry's order, the main window with the
  // command line's arguments, then shown.
  void Start(const std::string& arguments = "") {
    SetWorkingFolder(folder_);
    windows_.Create(CommandLinePaths(arguments));
    form_ = &windows_.Setup();
    controls_ = &WindowAccess::Controls(*form_);
    about_ = &windows_.About();
    option_ = &windows_.Option();
    aboutControls_ = &DialogAccess::Controls(*about_);
    optionControls_ = &DialogAccess::Controls(*option_);
    ShowWindow(form_->Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(form_->Handle());
    UpdateWindow(form_->Handle());
    Pump();
  }

  // Closing by the close box: the settings are saved and the windows go.
  void Close() {
    PostMessageW(form_->Handle(), WM_CLOSE, 0, 0);
    Pump();
    DestroyWindows();
  }

  void DestroyWindows() {
    windows_.Destroy();
    form_ = nullptr;
    controls_ = nullptr;
    about_ = nullptr;
    option_ = nullptr;
    aboutControls_ = nullptr;
    optionControls_ = nullptr;
    Pump();
  }

  // Dispatches what is queued, as the program's message loop does (with
  // dialogKeys_, Tab and Enter move through the main window's controls),
  // until the preview's thread has handed in the whole list.
  void Pump() {
    const ULONGLONG until = GetTickCount64() + 20000;
    for (;;) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        if (dialogKeys_ && form_ && form_->Handle() && IsDialogMessageW(form_->Handle(), &msg)) {
          continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      if (!form_ || !form_->Handle() || !form_->PreviewPending()) return;
      if (GetTickCount64() > until) {
        ADD_FAILURE() << "the preview's names and marks never came";
        return;
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
  }

  void Menu(UINT command) {
    PostMessageW(form_->Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    Pump();
  }

  // A left click at a point of a window's client area.
  void ClickAt(HWND window, int x, int y) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump();
  }

  // Replaces a field's text (for texts no keyboard here can type), with the
  // notification the edit would send.
  void SetFieldText(HWND combo, const std::string& text) {
    SetWindowTextUtf8(combo, text);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    Pump();
  }

  // The focus leaves the prefix field: its text joins the prefix history.
  void LeavePrefixField() {
    SendMessageW(form_->Handle(), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(controls_->ComboBox1), CBN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(controls_->ComboBox1));
    Pump();
  }

  // A status bar panel as shown, its centring tab left out.
  std::string Status(int panel) {
    Pump();  // the count waits for the whole list's marks
    std::string text = StatusBarText(controls_->StatusBar1, panel);
    if (!text.empty() && text[0] == '\t') text.erase(0, 1);
    return text;
  }

  // The main window's handlers are private; a test calls one through these.
  void PopupMenu1Popup() { WindowAccess::PopupMenu1Popup(*form_); }
  HWND ControlByName(const char* name) const { return WindowAccess::ControlByName(*form_, name); }

  ProgramWindows windows_;
  TSetupForm1* form_ = nullptr;
  SetupFormControls* controls_ = nullptr;  // form_'s controls
  TAboutForm1* about_ = nullptr;
  TOptionForm1* option_ = nullptr;
  AboutFormControls* aboutControls_ = nullptr;  // about_'s and option_'s controls
  OptionFormControls* optionControls_ = nullptr;
  std::vector<Box> boxes_;
  int answer_ = IDYES;        // the answer to a Yes/No box
  bool answerBoxes_ = true;   // false: the boxes stay as the test program set them
  bool dialogKeys_ = false;
  std::string folder_, startFolder_;

 private:
  std::string tag_;
};

}  // namespace korvath::testsupport
