// The About box and the shell actions under Wine, driven with real messages
// from inside the box's own modal loop.

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "About.h"
#include "Application.h"
#include "MessageBox.h"
#include "ShellActions.h"

namespace korvath {
namespace {

// ---- Helpers ----

class Environment : public ::testing::Environment {
 public:
  void SetUp() override {
    Application.SetTitle("Korvath");
    Application.Initialize(GetModuleHandleA(nullptr));
    // The About code never shows a message box of its own.
    SetMessageBoxHandler([](HWND, const std::string& text, const std::string& caption, UINT) {
      ADD_FAILURE() << "unexpected message box: " << caption << ": " << text;
      return IDOK;
    });
  }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new Environment);

std::string TextOf(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A window's bounds in `parent`'s client area.
RECT BoundsIn(HWND window, HWND parent) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

POINT ScreenCentreOfOk(const TAboutForm1& box) {
  POINT p{210, 262};  // centre of the 90 x 25 button at 165, 250
  ClientToScreen(box.Handle(), &p);
  return p;
}

POINT Cursor() {
  POINT p;
  GetCursorPos(&p);
  return p;
}

// Runs the steps one per timer tick while the box is shown, so that the
// box's own loop handles whatever each step posts. A box still open after
// the last step is closed and reported.
class ModalScript {
 public:
  using Step = std::function<void()>;

  static int Run(TAboutForm1& box, std::vector<Step> steps) {
    ModalScript script{&box, std::move(steps)};
    current_ = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 40, &ModalScript::Tick);
    const int result = box.ShowModal();
    KillTimer(nullptr, timer);
    current_ = nullptr;
    EXPECT_EQ(script.next_, script.steps_.size()) << "the box closed before the script ended";
    return result;
  }

 private:
  ModalScript(TAboutForm1* box, std::vector<Step> steps) : box_(box), steps_(std::move(steps)) {}

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalScript* s = current_;
    if (!s) return;
    if (s->next_ < s->steps_.size()) {
      s->steps_[s->next_++]();
    } else if (++s->idleTicks_ > 10 && IsWindowVisible(s->box_->Handle())) {
      ADD_FAILURE() << "the box was left open";
      PostMessageA(s->box_->Handle(), WM_CLOSE, 0, 0);
    }
  }

  static inline ModalScript* current_ = nullptr;
  TAboutForm1* box_;
  std::vector<Step> steps_;
  size_t next_ = 0;
  int idleTicks_ = 0;
};

void PressKey(HWND target, WPARAM key) {
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

void ClickOk(const TAboutForm1& box) { PressKey(box.BitBtn1, VK_SPACE); }

// ---- The box ----

TEST(AboutBox, ShowsItsTextsAndControlsAtTheirDesignBounds) {
  TAboutForm1 box;
  box.Create();
  ASSERT_NE(box.Handle(), nullptr);

  EXPECT_EQ(TextOf(box.Handle()), "バージョン情報");
  RECT client;
  GetClientRect(box.Handle(), &client);
  EXPECT_EQ(client.right, 420);
  EXPECT_EQ(client.bottom, 285);
  const LONG style = GetWindowLongA(box.Handle(), GWL_STYLE);
  const LONG exStyle = GetWindowLongA(box.Handle(), GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX))
      << "fixed, close box only";
  EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_FALSE(IsWindowVisible(box.Handle())) << "created hidden";

  struct Expected {
    const char* name;
    HWND control;
    RECT bounds;  // right/bottom 0: a label sized by its text
    const char* text;
  };
  const Expected table[] = {
      {"Image2", box.Image2, {10, 10, 410, 74}, ""},
      {"Image1", box.Image1, {20, 80, 52, 112}, ""},
      {"Panel1", box.Panel1, {70, 80, 411, 100}, "『Korvath』"},
      {"Panel2", box.Panel2, {70, 100, 411, 120}, "Version 1.70"},
      {"Panel3", box.Panel3, {70, 120, 411, 140}, "Copyright (C) 2026 Korvath 開発チーム"},
      {"Panel4", box.Panel4, {70, 140, 411, 160}, "Programmed by Korvath 開発チーム"},
      {"Bevel1", box.Bevel1, {10, 170, 417, 175}, ""},
      {"Label2", box.Label2, {10, 180, 0, 0}, "Korvath 開発チーム"},
      {"Label3", box.Label3, {20, 204, 0, 0}, "最新版ソフト＆サポート･･･"},
      {"Panel7", box.Panel7, {175, 200, 415, 220}, ""},
      {"Label1", box.Label1, {20, 224, 0, 0}, "ご意見・お問い合わせ･･･"},
      {"Panel8", box.Panel8, {175, 220, 415, 240}, ""},
      {"BitBtn1", box.BitBtn1, {165, 250, 255, 275}, "OK"},
  };
  for (const Expected& e : table) {
    SCOPED_TRACE(e.name);
    ASSERT_NE(e.control, nullptr);
    const RECT r = BoundsIn(e.control, box.Handle());
    EXPECT_EQ(r.left, e.bounds.left);
    EXPECT_EQ(r.top, e.bounds.top);
    if (e.bounds.right) {
      EXPECT_EQ(r.right, e.bounds.right);
      EXPECT_EQ(r.bottom, e.bounds.bottom);
    } else {
      EXPECT_GT(r.right - r.left, 40) << "a label as wide as its text";
    }
    EXPECT_EQ(TextOf(e.control), e.text);
  }

  // The addresses: read-only, borderless boxes inside their panels, at
  // 10, 2 from each panel's outer corner, so that they can be copied.
  struct Address {
    HWND edit, panel;
    const char* text;
  };
  for (const Address& a : {Address{box.Edit1, box.Panel7, "https://korvath.example.jp/"},
                           Address{box.Edit2, box.Panel8, "support@korvath.example.jp"}}) {
    SCOPED_TRACE(a.text);
    EXPECT_EQ(GetParent(a.edit), a.panel);
    RECT edit, panel;
    GetWindowRect(a.edit, &edit);
    GetWindowRect(a.panel, &panel);
    EXPECT_EQ(edit.left - panel.left, 10);
    EXPECT_EQ(edit.top - panel.top, 2);
    EXPECT_EQ(edit.right - edit.left, 220);
    EXPECT_EQ(edit.bottom - edit.top, 16);
    EXPECT_EQ(TextOf(a.edit), a.text);
    EXPECT_TRUE(GetWindowLongA(a.edit, GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(GetWindowLongA(a.edit, GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongA(a.edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  }
  EXPECT_EQ(TextOf(box.Edit1), kWebSiteAddress) << "the address the web command opens";

  // Every text in the 12-pixel Shift-JIS Gothic, unscaled.
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(box.Label3, WM_GETFONT, 0, 0)), sizeof(font),
             &font);
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_STREQ(font.lfFaceName, "ＭＳ Ｐゴシック");

  EXPECT_EQ(SendMessageA(box.Handle(), DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID))
      << "OK is the default button";
}

TEST(AboutBox, FirstShowingIsCentredOnTopFocusedOnOkAndModal) {
  HWND main = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 300,
                              200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetActiveWindow(main);
  TAboutForm1 box;
  box.Create();
  const int result = ModalScript::Run(
      box, {[&] {
        RECT r;
        GetWindowRect(box.Handle(), &r);
        EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
        EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
        EXPECT_TRUE(GetWindowLongA(box.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(GetActiveWindow(), box.Handle());
        EXPECT_EQ(GetFocus(), box.BitBtn1);
        EXPECT_FALSE(IsWindowEnabled(main)) << "the other windows take no input";
        ClickOk(box);
      }});
  EXPECT_EQ(result, IDOK);
  EXPECT_FALSE(IsWindowVisible(box.Handle()));
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(GetActiveWindow(), main) << "activation returns to the window it came from";
  DestroyWindow(main);
}

TEST(AboutBox, PointerGoesToOkAtEveryShowingAndTheBoxReopensWhereLeft) {
  TAboutForm1 box;
  box.Create();
  SetCursorPos(3, 3);
  ModalScript::Run(box, {[&] {
                           const POINT expected = ScreenCentreOfOk(box);
                           const POINT at = Cursor();
                           EXPECT_EQ(at.x, expected.x);
                           EXPECT_EQ(at.y, expected.y);
                           // The user drags the box elsewhere and moves the mouse away.
                           SetWindowPos(box.Handle(), nullptr, 37, 41, 0, 0,
                                        SWP_NOSIZE | SWP_NOZORDER);
                           SetCursorPos(700, 600);
                         },
                         [&] { ClickOk(box); }});

  ModalScript::Run(box, {[&] {
                     RECT r;
                     GetWindowRect(box.Handle(), &r);
                     EXPECT_EQ(r.left, 37);
                     EXPECT_EQ(r.top, 41);
                     const POINT expected = ScreenCentreOfOk(box);
                     const POINT at = Cursor();
                     EXPECT_EQ(at.x, expected.x);
                     EXPECT_EQ(at.y, expected.y);
                     ClickOk(box);
                   }});
}

TEST(AboutBox, ClosesWithOkEnterOrCloseBoxButNotEscape) {
  TAboutForm1 box;
  box.Create();
  struct Case {
    const char* name;
    std::function<void()> close;
    int result;
  };
  const Case cases[] = {
      {"Space on OK", [&] { ClickOk(box); }, IDOK},
      {"mouse click on OK",
       [&] {
         PostMessageA(box.BitBtn1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 12));
         PostMessageA(box.BitBtn1, WM_LBUTTONUP, 0, MAKELPARAM(45, 12));
       },
       IDOK},
      {"Enter in an address box",
       [&] {
         SetFocus(box.Edit2);
         PressKey(box.Edit2, VK_RETURN);
       },
       IDOK},
      {"close box", [&] { PostMessageA(box.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ModalScript::Run(box, {[&] { PressKey(box.BitBtn1, VK_ESCAPE); },
                                     [&] {
                                       EXPECT_TRUE(IsWindowVisible(box.Handle()))
                                           << "Escape leaves the box open";
                                       c.close();
                                     }}),
              c.result);
  }
}

TEST(AboutBox, TabGoesFromOkToTheWebAddressToTheMailAddressAndBack) {
  TAboutForm1 box;
  box.Create();
  std::vector<HWND> focus;
  auto tab = [&] { PressKey(GetFocus(), VK_TAB); };
  auto record = [&] { focus.push_back(GetFocus()); };
  ModalScript::Run(box, {record, tab, record, tab, record, tab, record, [&] { ClickOk(box); }});
  EXPECT_EQ(focus, (std::vector<HWND>{box.BitBtn1, box.Edit1, box.Edit2, box.BitBtn1}));
}

// ---- Shell actions ----

TEST(ShellActions, WebSiteIsOpenedOnceWithTheStatedArguments) {
  struct Call {
    HWND owner;
    std::string operation, file;
    bool noParameters, noDirectory;
    INT show;
  };
  std::vector<Call> calls;
  SetShellExecuteHandler([&](HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                             LPCSTR directory, INT show) {
    calls.push_back({owner, operation, file, parameters == nullptr, directory == nullptr, show});
    return reinterpret_cast<HINSTANCE>(2);  // the shell's "file not found": still silent
  });
  HWND owner = reinterpret_cast<HWND>(0x1234);
  OpenWebSite(owner);
  SetShellExecuteHandler(nullptr);

  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].owner, owner);
  EXPECT_EQ(calls[0].operation, "open");
  EXPECT_EQ(calls[0].file, "https://korvath.example.jp/");
  EXPECT_TRUE(calls[0].noParameters);
  EXPECT_TRUE(calls[0].noDirectory);
  EXPECT_EQ(calls[0].show, SW_SHOW);
}

TEST(ShellActions, PropertiesRecordPassesTheNameUnchangedAndEverythingElseAsStated) {
  const char* names[] = {"plain.txt", "name with spaces.jpg", "写真 001.JPG", "表ソ能.txt"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    std::vector<SHELLEXECUTEINFOA> records;
    std::vector<std::string> files, verbs;
    SetShellExecuteExHandler([&](SHELLEXECUTEINFOA* info) {
      records.push_back(*info);
      files.push_back(info->lpFile ? info->lpFile : "(null)");
      verbs.push_back(info->lpVerb ? info->lpVerb : "(null)");
      return FALSE;
    });
    ShowFileProperties(name);
    SetShellExecuteExHandler(nullptr);

    ASSERT_EQ(records.size(), 1u);
    const SHELLEXECUTEINFOA& r = records[0];
    // The record's real size: a 64-bit shell refuses the 32-bit 60.
    EXPECT_EQ(r.cbSize, sizeof(SHELLEXECUTEINFOA));
    EXPECT_EQ(r.fMask, 12u);
    EXPECT_EQ(r.hwnd, Application.Handle()) << "owned by the application's own window";
    EXPECT_EQ(verbs[0], "properties");
    EXPECT_EQ(files[0], name);
    EXPECT_EQ(r.lpParameters, nullptr);
    EXPECT_EQ(r.lpDirectory, nullptr);
    EXPECT_EQ(r.nShow, 0);
    EXPECT_EQ(r.hInstApp, nullptr);
    EXPECT_EQ(r.lpIDList, nullptr);
    EXPECT_EQ(r.lpClass, nullptr);
    EXPECT_EQ(r.hkeyClass, nullptr);
    EXPECT_EQ(r.dwHotKey, 0u);
    EXPECT_EQ(r.hIcon, nullptr);
    EXPECT_EQ(r.hProcess, nullptr);
  }
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM param) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

std::vector<HWND> VisibleThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), &CollectVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

TEST(ShellActions, RealShellCallsReturnWithoutAMessageOfTheProgram) {
  // Web: Wine hands the address to its browser launcher; whether one exists
  // or not, nothing appears in this program.
  const auto before = VisibleThreadWindows();
  OpenWebSite(nullptr);
  MSG msg;
  for (int i = 0; i < 10; ++i) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(30);
  }
  EXPECT_EQ(VisibleThreadWindows(), before);

  // Properties: the shell may report a failure in a box of its own (Wine 8
  // cannot show a file's properties sheet); a watcher dismisses such a box
  // so that the call returns, and records its caption.
  const std::string file = "about_test properties.txt";
  HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(handle);
  std::atomic<bool> done{false};
  std::atomic<int> shellBoxes{0};
  const DWORD thread = GetCurrentThreadId();
  std::thread watcher([&] {
    while (!done) {
      Sleep(50);
      std::vector<HWND> windows;
      EnumThreadWindows(thread, &CollectVisible, reinterpret_cast<LPARAM>(&windows));
      for (HWND window : windows) {
        char className[16] = {};
        GetClassNameA(window, className, sizeof(className));
        if (std::strcmp(className, "#32770") == 0) {
          ++shellBoxes;
          PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
      }
    }
  });
  ShowFileProperties(file);
  done = true;
  watcher.join();
  DeleteFileA(file.c_str());
  RecordProperty("shell_boxes_dismissed", shellBoxes.load());
  // The program's own message boxes fail the test through the handler.
}

}  // namespace
}  // namespace korvath
