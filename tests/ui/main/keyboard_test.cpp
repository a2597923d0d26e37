// The main window without a mouse: every menu item's own access key, the
// whole task walked by real key messages in Tab order (the start number and
// digit count stepped and typed, the real confirmation box answered), the
// focus handed on when the control holding it is disabled, and what a
// screen reader hears of each control on the way.

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "CheckListBox.h"
#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "FilterComboBox.h"
#include "MainWindowFixture.h"
#include "RenameSession.h"
#include "Setup.h"
#include "StringGrid.h"
#include "UserInput.h"

namespace korvath {
namespace {

using testsupport::FileExists;
using testsupport::MenuText;

// What a screen reader hears of a window's client object or of one of its
// lines (child 1 is line 0), asked through oleacc as a reader asks.
struct Heard {
  std::string name, value;
  long role = 0;
  bool checked = false;
};

class Reader {
 public:
  Reader() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    module_ = LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module_) {
      fromWindow_ = reinterpret_cast<decltype(fromWindow_)>(
          reinterpret_cast<void*>(GetProcAddress(module_, "AccessibleObjectFromWindow")));
    }
  }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;
  ~Reader() { CoUninitialize(); }

  Heard Hear(HWND window, long child = CHILDID_SELF) const {
    Heard heard;
    IAccessible* object = nullptr;
    if (!fromWindow_ ||
        FAILED(fromWindow_(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                           reinterpret_cast<void**>(&object)))) {
      ADD_FAILURE() << "no accessible object";
      return heard;
    }
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    heard.name = Take(BstrOf(object, id, true));
    heard.value = Take(BstrOf(object, id, false));
    VARIANT role{}, state{};
    if (SUCCEEDED(object->get_accRole(id, &role)) && role.vt == VT_I4) heard.role = role.lVal;
    if (SUCCEEDED(object->get_accState(id, &state)) && state.vt == VT_I4) {
      heard.checked = (state.lVal & STATE_SYSTEM_CHECKED) != 0;
    }
    object->Release();
    return heard;
  }

 private:
  static BSTR BstrOf(IAccessible* object, VARIANT id, bool name) {
    BSTR text = nullptr;
    const HRESULT hr = name ? object->get_accName(id, &text) : object->get_accValue(id, &text);
    return SUCCEEDED(hr) ? text : nullptr;
  }
  static std::string Take(BSTR text) {
    if (!text) return {};
    std::string narrow = Narrow(std::wstring(text, SysStringLen(text)));
    SysFreeString(text);
    return narrow;
  }

  HMODULE module_ = nullptr;
  HRESULT(WINAPI* fromWindow_)(HWND, DWORD, REFIID, void**) = nullptr;
};

// The colour a user sees at a point of a window.
COLORREF PixelAt(HWND window, int x, int y) {
  UpdateWindow(window);
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

// Answers the program's real Yes/No box with Enter on the button that has
// the focus, from a timer that runs inside the box's own loop; records what
// the box asked and which button took the key.
class BoxAnswerer {
 public:
  BoxAnswerer() {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 50, &BoxAnswerer::Tick);
  }
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;
  ~BoxAnswerer() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }

  std::vector<std::string> texts;    // each box's text, as shown
  std::vector<std::string> pressed;  // the caption of the button Enter pressed

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    BoxAnswerer* self = current_;
    HWND box = FindWindowW(L"#32770", L"情報");
    if (!self || !box || !IsWindowVisible(box)) return;
    if (self->answered_.count(box)) {
      if (++self->answered_[box] > 40) PostMessageW(box, WM_CLOSE, 0, 0);  // never left open
      return;
    }
    self->answered_[box] = 1;
    HWND text = GetDlgItem(box, 0xFFFF);  // the box's static text
    self->texts.push_back(text ? TSetupForm1::WindowText(text) : "");
    HWND focus = GetFocus();
    self->pressed.push_back(focus && GetParent(focus) == box ? TSetupForm1::WindowText(focus) : "");
    testsupport::PressKey(focus, VK_RETURN);
  }

  static inline BoxAnswerer* current_ = nullptr;
  UINT_PTR timer_ = 0;
  std::map<HWND, int> answered_;
};

class KeyboardTest : public testsupport::MainWindowFixture {
 protected:
  KeyboardTest() : MainWindowFixture("korvath_keys_") { dialogKeys_ = true; }

  void Key(WPARAM key) {
    testsupport::PressKey(GetFocus(), key);
    Pump();
  }
  void Char(wchar_t c) {
    PostMessageW(GetFocus(), WM_CHAR, c, 1);
    Pump();
  }
  // The control that has the focus; a drop-down for its edit part.
  HWND Focused() {
    HWND focus = GetFocus();
    wchar_t className[16] = {};
    GetClassNameW(focus, className, 16);
    return lstrcmpiW(className, L"Edit") == 0 ? GetParent(focus) : focus;
  }
  std::string Text(HWND window) { return TSetupForm1::WindowText(window); }

  Reader reader_;
};

TEST_F(KeyboardTest, EveryItemOfEachMenuHasItsOwnAccessKey) {
  Start();
  form_->SetMenuItemVisible(kCmdKStatus1, true);  // hidden, but still an item of its menu
  std::size_t walked = 0;
  for (const std::string& fault :
       testsupport::AccessKeyFaults({controls_->MainMenu1, controls_->PopupMenu1}, walked)) {
    ADD_FAILURE() << fault;
  }
  EXPECT_GE(walked, 7u) << "the menu bar, the four menus, the sort submenu and the pop-up";
  EXPECT_EQ(MenuText(controls_->KView1, kCmdKStatus1, MF_BYCOMMAND), "ステータスバー/&Status");
}

TEST_F(KeyboardTest, TheWholeTaskByKeysAloneWithTheFocusNeverLostAndEveryControlNamed) {
  const std::string photos = folder_ + "\\photos";
  CreateDirectoryW(Widen(photos).c_str(), nullptr);
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
    testsupport::MakeFile(photos + "\\" + name, "x");
  }
  answerBoxes_ = false;  // the real boxes, answered by key
  SetMessageBoxHandler({});
  Start();
  HWND drive = controls_->DriveComboBox1->Handle();
  HWND folders = controls_->DirectoryListBox1->Handle();
  HWND list = controls_->CheckListBox1->Handle();
  HWND grid = controls_->StringGrid1->Handle();
  ASSERT_EQ(Focused(), drive);
  EXPECT_EQ(reader_.Hear(drive).name, "ドライブ");

  // The folder: the last line of the folder list is the subfolder.
  Key(VK_TAB);
  ASSERT_EQ(Focused(), folders);
  EXPECT_EQ(reader_.Hear(folders).name, "フォルダ");
  Key(VK_END);
  Key(VK_RETURN);
  ASSERT_EQ(form_->ShownFolder(), photos);

  // A file ticked with the space bar; the reader hears the list by its
  // label and each line by its file name and mark.
  Key(VK_TAB);
  ASSERT_EQ(Focused(), list);
  Key(VK_DOWN);
  const int line = form_->HighlightedIndex();
  ASSERT_GE(line, 0);
  const std::string ticked = form_->Session().Files[static_cast<std::size_t>(line)].Name;
  EXPECT_FALSE(reader_.Hear(list, line + 1).checked);
  Key(VK_SPACE);
  ASSERT_TRUE(form_->Session().Files[static_cast<std::size_t>(line)].Checked);
  EXPECT_EQ(form_->Session().CheckedCount(), 1u);
  EXPECT_EQ(reader_.Hear(list).name, "対象ファイル選択");
  const Heard heardLine = reader_.Hear(list, line + 1);
  EXPECT_EQ(heardLine.name, ticked);
  EXPECT_TRUE(heardLine.checked);

  Key(VK_TAB);
  ASSERT_EQ(Focused(), grid);
  EXPECT_EQ(reader_.Hear(grid).name, "ファイル名(変換前→後)");
  EXPECT_EQ(reader_.Hear(grid, 1).name, ticked + " → 1.jpg");
  Key(VK_TAB);
  ASSERT_EQ(Focused(), controls_->FilterComboBox1->Handle());
  EXPECT_EQ(reader_.Hear(GetFocus()).name, "対象ファイルの種類");

  Key(VK_TAB);
  ASSERT_EQ(Focused(), controls_->ComboBox1);
  EXPECT_EQ(reader_.Hear(GetFocus()).name, "接頭語");
  testsupport::TypeText(GetFocus(), "pic");
  Pump();
  EXPECT_EQ(Text(controls_->ComboBox1), "pic");

  // The start number: arrows and pages step and clamp as the buttons do;
  // the first digit typed starts a new value, the next ones extend it.
  Key(VK_TAB);
  ASSERT_EQ(Focused(), controls_->Panel2);
  const Heard start = reader_.Hear(controls_->Panel2);
  EXPECT_EQ(start.name, "初期値");
  EXPECT_EQ(start.value, "1");
  EXPECT_EQ(start.role, ROLE_SYSTEM_SPINBUTTON);
  EXPECT_EQ(PixelAt(controls_->Panel2, 4, 4), GetSysColor(COLOR_HIGHLIGHT)) << "focus not shown";
  const struct {
    WPARAM key;  // a virtual key, or 0 and a character
    wchar_t c;
    const char* shown;
  } startKeys[] = {
      {VK_UP, 0, "2"},   {VK_PRIOR, 0, "12"}, {VK_NEXT, 0, "2"}, {VK_NEXT, 0, "0"},
      {VK_DOWN, 0, "0"}, {0, L'4', "4"},      {0, L'2', "42"},   {0, L'\b', "4"},
      {0, L'７', "47"},  {VK_UP, 0, "48"},    {0, L'9', "9"},
  };
  for (const auto& k : startKeys) {
    if (k.key) {
      Key(k.key);
    } else {
      Char(k.c);
    }
    EXPECT_EQ(Text(controls_->Panel2), k.shown)
        << static_cast<int>(k.key) << " " << static_cast<int>(k.c);
  }
  for (int i = 0; i < 10; ++i) Char(L'9');  // eleven nines
  EXPECT_EQ(Text(controls_->Panel2), "2000000000");
  Key(VK_PRIOR);
  EXPECT_EQ(Text(controls_->Panel2), "2000000000");
  Char(L'5');
  EXPECT_EQ(Text(controls_->Panel2), "5");
  EXPECT_EQ(form_->Session().StartNumber, 5);

  // The digit count, 1 to 10.
  Key(VK_TAB);
  ASSERT_EQ(Focused(), controls_->Panel3);
  EXPECT_EQ(reader_.Hear(controls_->Panel3).name, "桁数");
  EXPECT_EQ(PixelAt(controls_->Panel3, 4, 4), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(PixelAt(controls_->Panel2, 4, 4), GetSysColor(COLOR_WINDOW)) << "focus shown twice";
  const std::pair<WPARAM, const char*> digitKeys[] = {
      {VK_UP, "2桁"}, {VK_PRIOR, "10桁"}, {VK_NEXT, "1桁"}, {VK_DOWN, "1桁"}};
  for (const auto& [key, shown] : digitKeys) {
    Key(key);
    EXPECT_EQ(Text(controls_->Panel3), shown);
  }
  Char(L'3');
  EXPECT_EQ(Text(controls_->Panel3), "3桁");
  EXPECT_EQ(Text(controls_->Panel2), "005");
  EXPECT_EQ(reader_.Hear(controls_->Panel2).value, "005");
  EXPECT_EQ(Text(controls_->Panel4), "pic005");

  // Then the full-width box, suffix, extension and Execute.
  Key(VK_TAB);
  ASSERT_EQ(Focused(), controls_->CheckBox1);
  Key(VK_TAB);
  ASSERT_EQ(Focused(), controls_->ComboBox2);
  EXPECT_EQ(reader_.Hear(GetFocus()).name, "接尾語");
  Key(VK_TAB);
  ASSERT_EQ(Focused(), controls_->ComboBox3);
  EXPECT_EQ(reader_.Hear(GetFocus()).name, "拡張子");
  Key(VK_TAB);
  ASSERT_EQ(Focused(), controls_->BitBtn1);
  EXPECT_EQ(reader_.Hear(controls_->BitBtn1).name, "実行");
  EXPECT_EQ(reader_.Hear(controls_->SpeedButton3).name, "初期値 +100");
  EXPECT_EQ(reader_.Hear(controls_->SpeedButton12).name, "桁数 -1");

  {
    BoxAnswerer answerer;
    Key(VK_RETURN);
    ASSERT_EQ(answerer.texts.size(), 1u);
    ASSERT_EQ(answerer.pressed.size(), 1u);
    EXPECT_NE(answerer.pressed[0].find("はい"), std::string::npos) << answerer.pressed[0];
  }
  EXPECT_TRUE(FileExists(photos + "\\pic005.jpg"));
  EXPECT_FALSE(FileExists(photos + "\\" + ticked));
  EXPECT_EQ(Text(controls_->Panel2), "006");

  // Execute, disabled once the list is re-read, handed the focus on: Tab
  // goes on from there.
  ASSERT_FALSE(IsWindowEnabled(controls_->BitBtn1));
  EXPECT_EQ(Focused(), drive);
  Key(VK_TAB);
  EXPECT_EQ(Focused(), folders);

  // Undo with the focus on Execute: it is disabled again, and the focus
  // moves on as well.
  Key(VK_TAB);
  Key(VK_DOWN);
  Key(VK_SPACE);  // a file ticked: Execute enabled
  ASSERT_TRUE(IsWindowEnabled(controls_->BitBtn1));
  SetFocus(controls_->BitBtn1);
  {
    BoxAnswerer answerer;
    Menu(kCmdKUndo1);
    EXPECT_EQ(answerer.texts.size(), 1u);
  }
  EXPECT_TRUE(FileExists(photos + "\\" + ticked));
  ASSERT_FALSE(IsWindowEnabled(controls_->BitBtn1));
  EXPECT_EQ(Focused(), drive);
}

}  // namespace
}  // namespace korvath
