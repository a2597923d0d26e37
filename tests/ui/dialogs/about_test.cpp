// The About box and the shell actions under Wine, driven with real messages
// from inside the box's own modal loop.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "About.h"
#include "Application.h"
#include "CheckListBox.h"
#include "DriveComboBox.h"
#include "Glide.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "ModalScript.h"
#include "Option.h"
#include "RenameSession.h"
#include "Setup.h"
#include "ShellActions.h"
#include "Texts.h"
#include "UserInput.h"
#include "WorkingFolder.h"

namespace korvath {
namespace {

// ---- Helpers ----

class Environment : public ::testing::Environment {
 public:
  void SetUp() override {
    Application.SetTitle("Korvath");
    Application.Initialize(GetModuleHandleW(nullptr));
    // The About code never shows a message box of its own.
    SetMessageBoxHandler([](HWND, const std::string& text, const std::string& caption, UINT) {
      ADD_FAILURE() << "unexpected message box: " << caption << ": " << text;
      return IDOK;
    });
  }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new Environment);

std::string TextOf(HWND window) { return WindowText(window); }

std::string TextOf(const wchar_t* text) { return text ? Narrow(text) : "(null)"; }

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

// Runs the steps inside the box's own loop (see testsupport::ModalScript).
// The script must close the box itself: a box still open after the last
// step is closed and reported.
class ModalScript {
 public:
  using Step = testsupport::ModalScript::Step;

  static int Run(TAboutForm1& box, std::vector<Step> steps) {
    return Run(
        box, [&] { return box.ShowModal(); }, std::move(steps));
  }

  // `open` shows the box by some route and returns when it has closed.
  static int Run(TAboutForm1& box, const std::function<int()>& open, std::vector<Step> steps) {
    const std::size_t count = steps.size();
    const auto script = testsupport::ModalScript::Run(box.Handle(), open, std::move(steps), 40);
    if (script.leftOpen) ADD_FAILURE() << "the box was left open";
    EXPECT_EQ(script.stepsRun, count) << "the box closed before the script ended";
    return script.result;
  }
};

using testsupport::ControlsOf;
using testsupport::PressKey;

void ClickOk(const TAboutForm1& box) { PressKey(ControlsOf(box).BitBtn1, VK_SPACE); }

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
  const LONG style = GetWindowLongW(box.Handle(), GWL_STYLE);
  const LONG exStyle = GetWindowLongW(box.Handle(), GWL_EXSTYLE);
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
      {"Image2", ControlsOf(box).Image2, {10, 10, 410, 74}, ""},
      {"Image1", ControlsOf(box).Image1, {20, 80, 52, 112}, ""},
      {"Panel1", ControlsOf(box).Panel1, {70, 80, 411, 100}, "『Korvath』"},
      {"Panel2", ControlsOf(box).Panel2, {70, 100, 411, 120}, "Version 1.70"},
      {"Panel3", ControlsOf(box).Panel3, {70, 120, 411, 140}, "Copyright (C) 2026 Korvath 開発チーム"},
      {"Panel4", ControlsOf(box).Panel4, {70, 140, 411, 160}, "Programmed by Korvath 開発チーム"},
      {"Bevel1", ControlsOf(box).Bevel1, {10, 170, 417, 175}, ""},
      {"Label2", ControlsOf(box).Label2, {10, 180, 0, 0}, "Korvath 開発チーム"},
      {"Label3", ControlsOf(box).Label3, {20, 204, 0, 0}, "最新版ソフト＆サポート･･･"},
      {"Panel7", ControlsOf(box).Panel7, {175, 200, 415, 220}, ""},
      {"Label1", ControlsOf(box).Label1, {20, 224, 0, 0}, "ご意見・お問い合わせ･･･"},
      {"Panel8", ControlsOf(box).Panel8, {175, 220, 415, 240}, ""},
      {"BitBtn1", ControlsOf(box).BitBtn1, {165, 250, 255, 275}, "OK"},
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
  for (const Address& a : {Address{ControlsOf(box).Edit1, ControlsOf(box).Panel7, "https://korvath.example.jp/"},
                           Address{ControlsOf(box).Edit2, ControlsOf(box).Panel8, "support@korvath.example.jp"}}) {
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
    EXPECT_TRUE(GetWindowLongW(a.edit, GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(GetWindowLongW(a.edit, GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongW(a.edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  }
  EXPECT_EQ(TextOf(ControlsOf(box).Edit1), Text(kTextWebSiteAddress)) << "the address the web command opens";

  // Every text in the 12-pixel Shift-JIS Gothic, unscaled.
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(ControlsOf(box).Label3, WM_GETFONT, 0, 0)), sizeof(font),
             &font);
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(Narrow(font.lfFaceName), "ＭＳ Ｐゴシック");

  EXPECT_EQ(SendMessageW(box.Handle(), DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID))
      << "OK is the default button";
}

TEST(AboutBox, FirstShowingIsCentredOnTopFocusedOnOkAndModal) {
  HWND main = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 300,
                              200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetActiveWindow(main);
  TAboutForm1 box;
  box.Create();
  const int result = ModalScript::Run(
      box, {[&] {
        RECT r;
        GetWindowRect(box.Handle(), &r);
        EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
        EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
        EXPECT_TRUE(GetWindowLongW(box.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(GetActiveWindow(), box.Handle());
        EXPECT_EQ(GetFocus(), ControlsOf(box).BitBtn1);
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

TEST(AboutBox, APlaceOffEveryScreenIsNotKeptForTheNextShowing) {
  TAboutForm1 box;
  box.Create();
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  // Left there while a second monitor was attached, which has since gone;
  // the last place only partly on screen is kept.
  struct Place {
    int x, y;
    bool kept;
  };
  const Place places[] = {
      {width + 500, 40, false}, {-3000, -3000, false}, {width - 30, height - 30, true}};
  for (const Place& place : places) {
    ModalScript::Run(box, {[&] {
                       SetWindowPos(box.Handle(), nullptr, place.x, place.y, 0, 0,
                                    SWP_NOSIZE | SWP_NOZORDER);
                       ClickOk(box);
                     }});
    RECT r{};
    ModalScript::Run(box, {[&] {
                       GetWindowRect(box.Handle(), &r);
                       ClickOk(box);
                     }});
    SCOPED_TRACE(std::to_string(place.x) + ", " + std::to_string(place.y));
    EXPECT_EQ(r.left, place.kept ? place.x : (width - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, place.kept ? place.y : (height - (r.bottom - r.top)) / 2);
  }
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
         PostMessageW(ControlsOf(box).BitBtn1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 12));
         PostMessageW(ControlsOf(box).BitBtn1, WM_LBUTTONUP, 0, MAKELPARAM(45, 12));
       },
       IDOK},
      {"Enter in an address box",
       [&] {
         SetFocus(ControlsOf(box).Edit2);
         PressKey(ControlsOf(box).Edit2, VK_RETURN);
       },
       IDOK},
      {"close box", [&] { PostMessageW(box.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ModalScript::Run(box, {[&] { PressKey(ControlsOf(box).BitBtn1, VK_ESCAPE); },
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
  EXPECT_EQ(focus, (std::vector<HWND>{ControlsOf(box).BitBtn1, ControlsOf(box).Edit1, ControlsOf(box).Edit2, ControlsOf(box).BitBtn1}));
}

// The version record keeps its Japanese block as it always was and has an
// English one beside it, both listed in its translations.
TEST(VersionRecord, HoldsTheJapaneseBlockUnchangedAndAnEnglishOne) {
  wchar_t path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
  const DWORD size = GetFileVersionInfoSizeW(path, nullptr);
  ASSERT_GT(size, 0u);
  std::vector<char> record(size);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, record.data()));
  auto value = [&](const char* block, const char* name) {
    const std::wstring query = Widen(std::string("\\StringFileInfo\\") + block + "\\" + name);
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(record.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) {
      return std::string("(none)");
    }
    return Narrow(text);
  };
  struct Case {
    const char* block;
    const char* name;
    const char* expected;
  };
  const Case cases[] = {
      {"041103A4", "FileDescription", "ファイル名連番リネームソフト"},
      {"041103A4", "CompanyName", "Korvath 開発チーム"},
      {"041103A4", "LegalCopyright", "Copyright (C) 2026 Korvath 開発チーム"},
      {"041103A4", "FileVersion", "1.7.0.0"},
      {"041103A4", "ProductName", "Korvath"},
      {"040904B0", "FileDescription", "Renames files to numbered names"},
      {"040904B0", "LegalCopyright", "Copyright (C) 2026 the Korvath team"},
      {"040904B0", "FileVersion", "1.7.0.0"},
      {"040904B0", "ProductVersion", "1.7.0.0"},
      {"040904B0", "OriginalFilename", "Korvath"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.block) + " " + c.name);
    EXPECT_EQ(value(c.block, c.name), c.expected);
  }
  WORD* translations = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translations), &length));
  ASSERT_EQ(length, 8u);
  EXPECT_EQ(translations[0], 0x0411);
  EXPECT_EQ(translations[1], 932);
  EXPECT_EQ(translations[2], 0x0409);
  EXPECT_EQ(translations[3], 1200);
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
  SetShellExecuteHandler([&](HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                             LPCWSTR directory, INT show) {
    calls.push_back({owner, TextOf(operation), TextOf(file), parameters == nullptr,
                     directory == nullptr, show});
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
    std::vector<SHELLEXECUTEINFOW> records;
    std::vector<std::string> files, verbs;
    SetShellExecuteExHandler([&](SHELLEXECUTEINFOW* info) {
      records.push_back(*info);
      files.push_back(TextOf(info->lpFile));
      verbs.push_back(TextOf(info->lpVerb));
      return FALSE;
    });
    ShowFileProperties(name);
    SetShellExecuteExHandler(nullptr);

    ASSERT_EQ(records.size(), 1u);
    const SHELLEXECUTEINFOW& r = records[0];
    // The record's real size: a 64-bit shell refuses the 32-bit 60.
    EXPECT_EQ(r.cbSize, sizeof(SHELLEXECUTEINFOW));
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

// In a folder too deep to be the process's current folder, a bare name would
// reach the shell relative to an ancestor: it gets the full path instead.
TEST(ShellActions, PropertiesInAFolderTooDeepForTheSystemNameTheFullPath) {
  const std::string start = WorkingFolder();
  const std::string scratch = testsupport::MakeScratchFolder("kvt_props");
  std::string deep = scratch;
  while (Widen(deep).size() < 300) {
    deep += "\\深いフォルダ_0123456789";
    ASSERT_TRUE(CreateDirectoryW(SystemPath(deep).c_str(), nullptr)) << deep;
  }
  ASSERT_TRUE(SetWorkingFolder(deep));
  std::vector<std::string> files;
  SetShellExecuteExHandler([&](SHELLEXECUTEINFOW* info) {
    files.push_back(TextOf(info->lpFile));
    return FALSE;
  });
  ShowFileProperties("한글.txt");
  SetShellExecuteExHandler(nullptr);
  SetWorkingFolder(start);
  testsupport::RemoveTree(scratch);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0], deep + "\\한글.txt");
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
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(30);
  }
  EXPECT_EQ(VisibleThreadWindows(), before);

  // Properties: the shell may report a failure in a box of its own (Wine 8
  // cannot show a file's properties sheet); a watcher dismisses such a box
  // so that the call returns, and records its caption.
  const std::string file = "about_test properties.txt";
  HANDLE handle =
      CreateFileW(Widen(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(handle);
  std::atomic<bool> done{false};
  std::vector<HWND> dismissed;  // written by the watcher until it is joined
  std::string captions;
  const DWORD thread = GetCurrentThreadId();
  std::thread watcher([&] {
    while (!done) {
      Sleep(50);
      std::vector<HWND> windows;
      EnumThreadWindows(thread, &CollectVisible, reinterpret_cast<LPARAM>(&windows));
      for (HWND window : windows) {
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (std::wcscmp(className, L"#32770") != 0) continue;
        if (std::find(dismissed.begin(), dismissed.end(), window) == dismissed.end()) {
          dismissed.push_back(window);
          captions += TextOf(window) + ";";
        }
        PostMessageW(window, WM_COMMAND, IDOK, 0);
      }
    }
  });
  // The real call, watched through the seam for what the shell answered.
  std::string answer;
  SetShellExecuteExHandler([&](SHELLEXECUTEINFOW* info) {
    const BOOL ok = ShellExecuteExW(info);
    answer = std::to_string(ok) + " hInstApp " +
             std::to_string(reinterpret_cast<INT_PTR>(info->hInstApp)) + " error " +
             std::to_string(GetLastError());
    return ok;
  });
  ShowFileProperties(file);
  SetShellExecuteExHandler(nullptr);
  done = true;
  watcher.join();
  DeleteFileW(Widen(file).c_str());
  RecordProperty("shell_answer", answer);
  RecordProperty("shell_boxes", captions);
  // The program's own message boxes fail the test through the handler.
}

// ---- The main window's system menu, Home key and Property items ----

class MainWindowTest : public testsupport::MainWindowFixture {
 protected:
  // Any message box fails the test, as everywhere in this file.
  MainWindowTest() : MainWindowFixture("korvath_about_") {
    answerBoxes_ = false;
    dialogKeys_ = true;
  }

  void SetUp() override {
    MainWindowFixture::SetUp();
    for (const char* name : {"a.txt", "b.txt", "c.txt", "写真 001.jpg"}) {
      CloseHandle(
          CreateFileW(Widen(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    Start();
  }

  void Key(HWND window, WPARAM key) {
    PressKey(window, key);
    Pump();
  }

  RECT Bounds() const {
    RECT r;
    GetWindowRect(form_->Handle(), &r);
    return r;
  }
};

TEST_F(MainWindowTest, HomeGlidesToTheScreenCentreExceptFromTheDriveSelector) {
  HWND drive = controls_->DriveComboBox1->Handle();
  HWND list = controls_->CheckListBox1->Handle();
  ASSERT_EQ(GetFocus(), drive) << "the drive selector has the focus after start-up";
  const RECT before = Bounds();
  Key(drive, VK_HOME);
  const RECT unmoved = Bounds();
  EXPECT_EQ(unmoved.left, before.left);
  EXPECT_EQ(unmoved.top, before.top);

  SetFocus(list);
  controls_->CheckListBox1->SetItemIndex(2);
  Key(list, VK_HOME);
  const RECT after = Bounds();
  const GlidePoint centre =
      GlideTarget(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                  after.right - after.left, after.bottom - after.top);
  EXPECT_EQ(after.left, centre.left);
  EXPECT_EQ(after.top, centre.top);
  EXPECT_EQ(after.right - after.left, before.right - before.left) << "the size is kept";
  EXPECT_EQ(controls_->CheckListBox1->ItemIndex(), 0) << "the key also reaches the list";
}

TEST_F(MainWindowTest, SystemMenuEndsWithSeparatorAndAboutEntryThatOpensTheBox) {
  HMENU menu = GetSystemMenu(form_->Handle(), FALSE);
  const int count = GetMenuItemCount(menu);
  ASSERT_GE(count, 2);
  MENUITEMINFOW separator{};
  separator.cbSize = sizeof(separator);
  separator.fMask = MIIM_FTYPE | MIIM_ID;
  GetMenuItemInfoW(menu, static_cast<UINT>(count - 2), TRUE, &separator);
  EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
  EXPECT_EQ(GetMenuItemID(menu, count - 1), 1u);
  EXPECT_EQ(testsupport::MenuText(menu, static_cast<UINT>(count - 1), MF_BYPOSITION),
            "バージョン情報");

  // Both routes to the box: the system menu entry and Help > About.
  struct Route {
    const char* name;
    UINT msg;
    WPARAM command;
  };
  for (const Route& route :
       {Route{"system menu", WM_SYSCOMMAND, 1}, Route{"Help menu", WM_COMMAND, kCmdKAbout1}}) {
    SCOPED_TRACE(route.name);
    bool seen = false;
    ModalScript::Run(*about_,
                     [&] {
                       SendMessageW(form_->Handle(), route.msg, route.command, 0);
                       return 0;
                     },
                     {[&] {
                       seen = IsWindowVisible(about_->Handle());
                       EXPECT_TRUE(GetWindowLongW(about_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
                       EXPECT_FALSE(IsWindowEnabled(form_->Handle())) << "the main window waits";
                       ClickOk(*about_);
                     }});
    EXPECT_TRUE(seen);
    EXPECT_TRUE(IsWindowEnabled(form_->Handle()));
  }

  // The standard entries still take their default course.
  SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_TRUE(IsZoomed(form_->Handle()));
  SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsZoomed(form_->Handle()));
}

TEST_F(MainWindowTest, MinimiseTakesTheWholeApplicationAndRestoreBringsTheWindowBack) {
  const RECT before = Bounds();
  SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Pump();
  EXPECT_TRUE(IsIconic(Application.Handle())) << "the taskbar entry's window is minimised";
  EXPECT_FALSE(IsWindowVisible(form_->Handle())) << "the main window goes with it";
  EXPECT_FALSE(IsIconic(form_->Handle()));

  SendMessageW(Application.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump();
  EXPECT_FALSE(IsIconic(Application.Handle()));
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
  const RECT after = Bounds();
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
}

// Restoring from the taskbar entry or Alt+Tab activates the application's
// zero-sized window; the window the user worked in, or the box open over it,
// takes over, and the control that had the focus has it again.
TEST_F(MainWindowTest, ActivatingTheTaskbarEntryHandsActivationAndFocusBack) {
  HWND list = controls_->CheckListBox1->Handle();
  SetFocus(list);
  ASSERT_EQ(GetFocus(), list);

  SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Pump();
  SendMessageW(Application.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump();
  EXPECT_EQ(GetActiveWindow(), form_->Handle()) << "after a restore from the taskbar";
  EXPECT_EQ(GetFocus(), list);

  SetActiveWindow(Application.Handle());  // as Alt+Tab does
  Pump();
  EXPECT_EQ(GetActiveWindow(), form_->Handle()) << "after Alt+Tab";
  EXPECT_EQ(GetFocus(), list);

  // With the About box open, the box takes the activation.
  HWND activeWithAbout = nullptr;
  ModalScript::Run(*about_,
                   {[&] { SetActiveWindow(Application.Handle()); },
                    [&] { activeWithAbout = GetActiveWindow(); }, [&] { ClickOk(*about_); }});
  EXPECT_EQ(activeWithAbout, about_->Handle());

  // With a real message box over the main window, the message box does.
  static std::string activeCaption;
  static HWND boxOwner = nullptr;
  static int tick = 0;
  activeCaption.clear();
  boxOwner = nullptr;
  tick = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, [](HWND, UINT, UINT_PTR, DWORD) {
    switch (tick++) {
      case 0:
        SetActiveWindow(Application.Handle());
        break;
      case 1:
        activeCaption = TextOf(GetActiveWindow());
        boxOwner = GetWindow(GetActiveWindow(), GW_OWNER);
        break;
      default:
        // Whatever happened, the box must not stay open.
        if (HWND box = FindWindowW(L"#32770", L"activation")) PostMessageW(box, WM_CLOSE, 0, 0);
        break;
    }
  });
  MessageBoxW(form_->Handle(), L"box", L"activation", MB_OK);
  KillTimer(nullptr, timer);
  EXPECT_EQ(activeCaption, "activation");
  EXPECT_EQ(boxOwner, form_->Handle());
}

TEST_F(MainWindowTest, PropertyItemsFollowTheHighlightedLineTickedOrNot) {
  std::vector<std::string> files;
  std::vector<HWND> owners;
  SetShellExecuteExHandler([&](SHELLEXECUTEINFOW* info) {
    files.push_back(TextOf(info->lpFile));
    owners.push_back(info->hwnd);
    return TRUE;
  });
  auto popupEnabled = [&] {
    PopupMenu1Popup();
    return !(GetMenuState(controls_->PopupMenu1, kCmdKProperty2, MF_BYCOMMAND) & MF_GRAYED);
  };
  auto fileEnabled = [&] {
    SendMessageW(form_->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(controls_->KFile1), 0);
    return !(GetMenuState(controls_->KFile1, kCmdKProperty1, MF_BYCOMMAND) & MF_GRAYED);
  };

  ASSERT_EQ(form_->HighlightedIndex(), -1);
  EXPECT_FALSE(fileEnabled());
  EXPECT_FALSE(popupEnabled());
  SendMessageW(form_->Handle(), WM_COMMAND, kCmdKProperty1, 0);
  EXPECT_TRUE(files.empty()) << "no line, no properties";

  // The last line ("写真 001.jpg" sorts after the ASCII names), unticked.
  const int last = static_cast<int>(form_->Session().Files.size()) - 1;
  ASSERT_EQ(last, 3);
  controls_->CheckListBox1->SetItemIndex(last);
  EXPECT_FALSE(form_->Session().Files[3].Checked);
  EXPECT_TRUE(fileEnabled());
  EXPECT_TRUE(popupEnabled());
  SendMessageW(form_->Handle(), WM_COMMAND, kCmdKProperty1, 0);
  SendMessageW(form_->Handle(), WM_COMMAND, kCmdKProperty2, 0);
  SetShellExecuteExHandler(nullptr);
  EXPECT_EQ(files, (std::vector<std::string>{"写真 001.jpg", "写真 001.jpg"}));
  EXPECT_EQ(owners, (std::vector<HWND>{Application.Handle(), Application.Handle()}));
}

TEST_F(MainWindowTest, WebCommandOpensTheSiteOwnedByTheMainWindow) {
  std::vector<std::pair<HWND, std::string>> calls;
  SetShellExecuteHandler([&](HWND owner, LPCWSTR, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
    calls.emplace_back(owner, TextOf(file));
    return reinterpret_cast<HINSTANCE>(33);
  });
  SendMessageW(form_->Handle(), WM_COMMAND, kCmdWeb1, 0);
  SetShellExecuteHandler(nullptr);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].first, form_->Handle());
  EXPECT_EQ(calls[0].second, Text(kTextWebSiteAddress));
}

}  // namespace
}  // namespace korvath
