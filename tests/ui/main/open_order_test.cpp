// The main window opened on a folder from outside (the command line, drops
// from Explorer) and numbering files in each order, in-process in a
// temporary folder.

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "About.h"
#include "Application.h"
#include "CheckListBox.h"
#include "CommandLine.h"
#include "FileListBox.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "Option.h"
#include "RenameSession.h"
#include "Setup.h"
#include "StringGrid.h"
#include "UserInput.h"

namespace korvath {
namespace {

using testsupport::RemoveTree;
using Names = std::vector<std::string>;
using Rows = std::vector<std::pair<std::string, std::string>>;

void WriteFile(const std::string& name, size_t bytes = 1) {
  testsupport::MakeFile(name, std::string(bytes, 'x'));
}

long long FileSize(const std::string& name) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Widen(name).c_str(), GetFileExInfoStandard, &data)) return -1;
  return data.nFileSizeLow;
}

void SetLastWrite(const std::string& name, int minutes) {
  HANDLE file = CreateFileW(Widen(name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                            0, nullptr);
  const ULONGLONG ticks = 133000000000000000ULL + ULONGLONG(minutes) * 600000000ULL;
  FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SetFileTime(file, nullptr, nullptr, &time);
  CloseHandle(file);
}

// What Explorer posts: a DROPFILES block with the paths, each closed by a
// zero, and one more zero at the end; the window releases it.
// A drop as Explorer makes it: wide paths, each ended by a zero, then one
// more zero.
HGLOBAL DropOf(const std::vector<std::string>& paths) {
  std::wstring list;
  for (const std::string& path : paths) list += Widen(path) + L'\0';
  list += L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = {40, 40};
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(),
              list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return memory;
}

class OpenOrderTest : public testsupport::MainWindowFixture {
 protected:
  OpenOrderTest() : MainWindowFixture("korvath_open_") {}

  // The texts of the message boxes shown so far.
  Names BoxTexts() const {
    Names texts;
    for (const testsupport::Box& box : boxes_) texts.push_back(box.text);
    return texts;
  }

  void ClickBox(int index) {
    HWND list = controls_->CheckListBox1->Handle();
    const int y = (index - controls_->CheckListBox1->TopIndex()) * TCheckListBox::kItemHeight + 8;
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, y));
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(8, y));
    Pump();
  }

  Names Listed() {
    Names names;
    for (const FileEntry& entry : form_->Session().Files) names.push_back(entry.Name);
    return names;
  }
  Names Checked() {
    Names names;
    for (const FileEntry& entry : form_->Session().Files) {
      if (entry.Checked) names.push_back(entry.Name);
    }
    return names;
  }
  std::string Highlighted() {
    int index = form_->HighlightedIndex();
    return index < 0 ? "" : form_->Session().Files[static_cast<size_t>(index)].Name;
  }
  Rows Grid() {
    Rows rows;
    TStringGrid& grid = *controls_->StringGrid1;
    for (size_t r = 0; r < grid.RowCount(); ++r) {
      rows.emplace_back(std::string(grid.Cell(0, r)), std::string(grid.Cell(1, r)));
    }
    return rows;
  }
  std::string Status(int panel) {
    const std::string text = testsupport::StatusBarText(controls_->StatusBar1, panel);
    return !text.empty() && text[0] == '\t' ? text.substr(1) : text;
  }
  // The radio item of View > Sort that carries the bullet.
  UINT SortRadio() {
    UINT checked = 0;
    for (UINT command : {kCmdKName1, kCmdKNatural1, kCmdKDate1, kCmdKShoot1, kCmdKHand1}) {
      MENUITEMINFOW info{};
      if (command == kCmdKHand1 && GetMenuState(controls_->KSort1, command, MF_BYCOMMAND) == ~0u) {
        continue;  // shown only while a hand order stands
      }
      info.cbSize = sizeof(info);
      info.fMask = MIIM_FTYPE | MIIM_STATE;
      GetMenuItemInfoW(controls_->KSort1, command, FALSE, &info);
      EXPECT_TRUE(info.fType & MFT_RADIOCHECK) << command;
      if (info.fState & MFS_CHECKED) {
        EXPECT_EQ(checked, 0u) << "two items checked";
        checked = command;
      }
    }
    return checked;
  }

  // Until the capture dates are read and the list re-sorted by them.
  void WaitForDates() {
    for (int i = 0; i < 500 && controls_->FileListBox1->ReadingDates(); ++i) {
      Sleep(10);
      Pump();
    }
    EXPECT_FALSE(controls_->FileListBox1->ReadingDates());
  }

  // A press on a line's name, a move onto another line, the release. The
  // mark shows where the line would go while it is dragged, and goes with
  // the release.
  void DragLine(int from, int to) {
    HWND list = controls_->CheckListBox1->Handle();
    const int h = TCheckListBox::kItemHeight;
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, from * h + 8));
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, (from + to) * h / 2 + 8));
    EXPECT_EQ(controls_->CheckListBox1->DropLine(), ((from + to) * h / 2 + 8) / h);
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, to * h + 8));
    EXPECT_EQ(controls_->CheckListBox1->DropLine(), to);
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(40, to * h + 8));
    EXPECT_EQ(controls_->CheckListBox1->DropLine(), -1);
    Pump();
  }

  void AltKey(WPARAM key) {
    PostMessageW(controls_->CheckListBox1->Handle(), WM_SYSKEYDOWN, key, 0x20000001);
    PostMessageW(controls_->CheckListBox1->Handle(), WM_SYSKEYUP, key, 0xE0000001);
    Pump();
  }

  void RenameCheckedWithPrefix(const char* prefix) {
    SetWindowTextUtf8(controls_->ComboBox1, prefix);
    SendMessageW(GetParent(controls_->ComboBox1), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(controls_->ComboBox1), CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(controls_->ComboBox1));
    SendMessageW(controls_->BitBtn1, BM_CLICK, 0, 0);
    Pump();
  }
};

TEST_F(OpenOrderTest, CommandLineShowsAFolderOrAFilesFolderElseStartsAsWithout) {
  const std::string photos = folder_ + "\\写真 2026";
  const std::string table = folder_ + "\\表";
  const std::string remembered = folder_ + "\\remembered";
  for (const std::string& folder : {photos, table, remembered}) {
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
  }
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) WriteFile(photos + "\\" + name);
  WriteFile(table + "\\x.txt");
  WriteFile(remembered + "\\r.txt");
  testsupport::WriteProfileText(folder_ + "\\KVTset.ini", "SetUp", "DirHst0", remembered);

  struct Case {
    std::string arguments;
    std::string shown;
    Names checked;
    std::string error;
  } cases[] = {
      {"\"" + photos + "\"", photos, {}, ""},
      {"\"" + photos + "\\\"", photos, {}, ""},  // a closing "\" before the quote
      {"\"" + table + "\"", table, {}, ""},      // 表 ends in the byte of "\"
      {"  \"" + photos + "\\b.jpg\"  ", photos, {"b.jpg"}, ""},
      {"\"写真 2026\\c.jpg\" \"写真 2026\\a.jpg\"", photos, {"a.jpg", "c.jpg"}, ""},  // relative
      // A file of another folder, and one that is not there, told in one box.
      {"\"" + photos + "\\b.jpg\" \"" + table + "\\x.txt\" \"" + photos + "\\z.jpg\"",
       photos,
       {"b.jpg"},
       "2個のファイルは、表示中のフォルダ「" + photos +
           "」の一覧にないため、選択しませんでした。\n\n" + table + "\\x.txt\n" + photos +
           "\\z.jpg"},
      {"\"" + folder_ + "\\ない\"", remembered, {}, "ファイルが見つかりません."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    boxes_.clear();
    Start(c.arguments);
    EXPECT_EQ(form_->ShownFolder(), c.shown);
    EXPECT_EQ(form_->DirHistory[0], c.shown);  // recorded as any visit
    EXPECT_EQ(Checked(), c.checked);
    EXPECT_EQ(Highlighted(), c.checked.empty() ? "" : c.checked.front());
    EXPECT_EQ(Grid().size(), c.checked.empty() ? 1u : c.checked.size());
    // Checked files show as checking them does: the first one's name, the count.
    EXPECT_EQ(Status(0), c.checked.empty() ? "" : c.checked.front());
    EXPECT_EQ(Status(3), c.checked.empty() ? "" : "3個存在");
    EXPECT_EQ(Status(4), "");
    EXPECT_EQ(BoxTexts(), c.error.empty() ? Names{} : Names{c.error});
    // The settings file stays in the folder the program started in.
    EXPECT_EQ(form_->SettingsPath, folder_ + "\\KVTset.ini");
    DestroyWindows();
  }

  // Three hundred files, as "Send To" hands them over: all checked, counted.
  const std::string many = folder_ + "\\many";
  CreateDirectoryW(Widen(many).c_str(), nullptr);
  std::string arguments;
  for (int i = 0; i < 300; ++i) {
    const std::string path = many + "\\f" + std::to_string(i) + ".jpg";
    WriteFile(path);
    arguments += " \"" + path + "\"";
  }
  boxes_.clear();
  Start(arguments);
  EXPECT_EQ(Checked().size(), 300u);
  EXPECT_EQ(Grid().size(), 300u);
  EXPECT_EQ(Status(3), "300個存在");
  EXPECT_EQ(BoxTexts(), Names{});
}

TEST_F(OpenOrderTest, DroppedFolderOrFilesAreShownAndTheFilesChecked) {
  const std::string photos = folder_ + "\\写真 2026";
  const std::string other = folder_ + "\\other";
  CreateDirectoryW(Widen(photos).c_str(), nullptr);
  CreateDirectoryW(Widen(other).c_str(), nullptr);
  for (const char* name : {"p.jpg", "q.jpg"}) WriteFile(photos + "\\" + name);
  for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) WriteFile(other + "\\" + name);
  Start();

  PostMessageW(form_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({photos})), 0);
  Pump();
  EXPECT_EQ(form_->ShownFolder(), photos);
  EXPECT_EQ(Listed(), (Names{"p.jpg", "q.jpg"}));
  EXPECT_EQ(Checked(), Names{});
  EXPECT_EQ(form_->DirHistory[0], photos);

  PostMessageW(
      form_->Handle(), WM_DROPFILES,
      reinterpret_cast<WPARAM>(DropOf({other + "\\d.txt", other + "\\b.txt", other + "\\a.txt"})),
      0);
  Pump();
  EXPECT_EQ(form_->ShownFolder(), other);
  EXPECT_EQ(form_->DirHistory[0], other);
  EXPECT_EQ(form_->DirHistory[1], other);  // the recent folders, newest first
  EXPECT_EQ(form_->DirHistory[2], photos);
  EXPECT_EQ(Checked(), (Names{"a.txt", "b.txt", "d.txt"}));
  EXPECT_EQ(Highlighted(), "a.txt");
  EXPECT_EQ(Status(0), "a.txt");
  EXPECT_EQ(Grid(), (Rows{{"a.txt", "1.txt"}, {"b.txt", "2.txt"}, {"d.txt", "3.txt"}}));
  EXPECT_TRUE(boxes_.empty());

  // Files made since the folder was read, one named outside the ANSI code
  // page, dropped on it: listed and checked under their own names, and the
  // files checked before stay checked.
  WriteFile(other + "\\e.txt");
  WriteFile(other + "\\한글.txt");
  PostMessageW(form_->Handle(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(DropOf({other + "\\한글.txt", other + "\\e.txt"})), 0);
  Pump();
  EXPECT_EQ(Listed(), (Names{"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "한글.txt"}));
  EXPECT_EQ(Checked(), (Names{"a.txt", "b.txt", "d.txt", "e.txt", "한글.txt"}));
  EXPECT_EQ(Highlighted(), "e.txt");

  // A folder that has gone by the time it is dropped: the I/O error, nothing changed.
  RemoveTree(photos);
  PostMessageW(form_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({photos})), 0);
  Pump();
  EXPECT_EQ(BoxTexts(), (Names{"ファイルが見つかりません."}));
  EXPECT_EQ(form_->ShownFolder(), other);
  EXPECT_EQ(Checked(), (Names{"a.txt", "b.txt", "d.txt", "e.txt", "한글.txt"}));
}

TEST_F(OpenOrderTest, EachOrderNumbersTheFilesKeepsTheChecksAndSurvivesARestart) {
  // Sizes tell the files apart after the run; times make the date order.
  const struct {
    const char* name;
    size_t size;
    int minutes;
  } files[] = {
      {"img1.jpg", 1, 30}, {"img2.jpg", 2, 30}, {"img10.jpg", 10, 10}, {"Img3.jpg", 3, 20}};
  for (const auto& f : files) {
    WriteFile(f.name, f.size);
    SetLastWrite(f.name, f.minutes);
  }
  Start();
  // The submenu follows "オプション/&Option..." in the View menu.
  using testsupport::MenuText;
  const int count = GetMenuItemCount(controls_->KView1);
  EXPECT_EQ(MenuText(controls_->KView1, count - 2, MF_BYPOSITION), "オプション/&Option...");
  EXPECT_EQ(MenuText(controls_->KView1, count - 1, MF_BYPOSITION), "並び順/Sor&t");
  EXPECT_EQ(GetSubMenu(controls_->KView1, count - 1), controls_->KSort1);
  const std::pair<UINT, const char*> items[] = {{kCmdKName1, "名前順/&Name"},
                                                {kCmdKNatural1, "自然順/N&atural"},
                                                {kCmdKDate1, "更新日時順/&Date"},
                                                {kCmdKShoot1, "撮影日時順/&Shooting date"}};
  EXPECT_EQ(GetMenuItemCount(controls_->KSort1), 4);
  for (const auto& [command, text] : items) {
    EXPECT_EQ(MenuText(controls_->KSort1, command, MF_BYCOMMAND), text);
  }

  // No Order key: the name order.
  EXPECT_EQ(SortRadio(), static_cast<UINT>(kCmdKName1));
  EXPECT_EQ(Listed(), (Names{"img1.jpg", "img10.jpg", "img2.jpg", "Img3.jpg"}));
  ClickBox(2);  // img2: checked and highlighted
  ClickBox(3);  // Img3
  ClickBox(1);  // img10, highlighted last
  ClickBox(1);  // img10 unchecked again
  EXPECT_EQ(Highlighted(), "img10.jpg");

  struct Step {
    UINT command;
    Names listed;
    Rows preview;
  } steps[] = {
      {kCmdKNatural1,
       {"img1.jpg", "img2.jpg", "Img3.jpg", "img10.jpg"},
       {{"img2.jpg", "1.jpg"}, {"Img3.jpg", "2.jpg"}}},
      {kCmdKDate1,  // oldest first, equal times by name
       {"img10.jpg", "Img3.jpg", "img1.jpg", "img2.jpg"},
       {{"Img3.jpg", "1.jpg"}, {"img2.jpg", "2.jpg"}}},
      {kCmdKName1,
       {"img1.jpg", "img10.jpg", "img2.jpg", "Img3.jpg"},
       {{"img2.jpg", "1.jpg"}, {"Img3.jpg", "2.jpg"}}},
      {kCmdKNatural1,
       {"img1.jpg", "img2.jpg", "Img3.jpg", "img10.jpg"},
       {{"img2.jpg", "1.jpg"}, {"Img3.jpg", "2.jpg"}}},
  };
  for (const Step& step : steps) {
    Menu(step.command);
    EXPECT_EQ(SortRadio(), step.command);
    EXPECT_EQ(Listed(), step.listed);
    EXPECT_EQ(Checked().size(), 2u);
    EXPECT_EQ(Grid(), step.preview);
    EXPECT_EQ(Highlighted(), "img10.jpg");
  }

  // The run numbers in natural order.
  Menu(kCmdSelectAll1);
  SetWindowTextUtf8(controls_->ComboBox1, "n");
  SendMessageW(GetParent(controls_->ComboBox1), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(controls_->ComboBox1), CBN_EDITCHANGE),
               reinterpret_cast<LPARAM>(controls_->ComboBox1));
  SendMessageW(controls_->BitBtn1, BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(FileSize("n1.jpg"), 1);
  EXPECT_EQ(FileSize("n2.jpg"), 2);
  EXPECT_EQ(FileSize("n3.jpg"), 3);
  EXPECT_EQ(FileSize("n4.jpg"), 10);

  // The order is saved and comes back.
  WriteFile("x2.txt");
  WriteFile("x10.txt");
  Close();
  EXPECT_EQ(testsupport::ProfileText(folder_ + "\\KVTset.ini", "Option", "Order", ""), "1");
  Start();
  EXPECT_EQ(SortRadio(), static_cast<UINT>(kCmdKNatural1));
  EXPECT_EQ(Listed(),
            (Names{"KVTset.ini", "n1.jpg", "n2.jpg", "n3.jpg", "n4.jpg", "x2.txt", "x10.txt"}));
}

// Photos and videos of several devices, one folder: numbered in the order
// they were taken, whatever their names and last-write times say.
TEST_F(OpenOrderTest, MixedFolderIsShownAndRenamedInShootingDateOrder) {
  constexpr ULONGLONG kSecond = 10000000;
  const ULONGLONG utc0115 = 134407341120000000ULL;  // 2026-12-03 01:15:12 UTC
  // 10:20:00 on the computer's clock, in its own time zone.
  SYSTEMTIME local{2026, 12, 4, 3, 10, 20, 0, 0}, universal;
  TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal);
  FILETIME localUtc;
  SystemTimeToFileTime(&universal, &localUtc);
  const struct {
    const char* name;
    ULONGLONG placed;     // where the file belongs on the timeline
    ULONGLONG lastWrite = 0;  // 0: a year after every date
  } files[] = {
      {"mp4_moov_end.mp4", utc0115},                               // mvhd, UTC
      {"jpeg_offset.jpg", utc0115 + 34 * kSecond / 100},           // +09:00, .34 s
      {"mov_apple.mov", utc0115 + (29 * 60 + 48) * kSecond},       // Apple's +0900
      {"heic_from_jpeg.heic", utc0115 + (2 * 3600 + 44 * 60 + 48) * kSecond},
      {"jpeg_local.jpg",
       (ULONGLONG{localUtc.dwHighDateTime} << 32) | localUtc.dwLowDateTime},  // no offset
      {"png_screenshot.png", utc0115 + 3600 * kSecond, utc0115 + 3600 * kSecond},  // no date
      {"jpeg_cut.jpg", utc0115 - 86400 * kSecond, utc0115 - 86400 * kSecond},      // corrupt
  };
  std::vector<std::pair<ULONGLONG, std::string>> expected;
  for (const auto& f : files) {
    const std::string from = std::string(KORVATH_CAPTURE_DATA) + "/" + f.name;
    ASSERT_TRUE(CopyFileW(Widen(from).c_str(), Widen(folder_ + "\\" + f.name).c_str(), FALSE))
        << from;
    const ULONGLONG written = f.lastWrite ? f.lastWrite : utc0115 + 366 * 86400 * kSecond;
    HANDLE file = CreateFileW(Widen(folder_ + "\\" + f.name).c_str(), FILE_WRITE_ATTRIBUTES, 0,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME time{static_cast<DWORD>(written), static_cast<DWORD>(written >> 32)};
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    expected.emplace_back(f.placed, f.name);
  }
  std::stable_sort(expected.begin(), expected.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  Names order;
  for (const auto& [placed, name] : expected) order.push_back(name);
  WriteFile("readme.txt");  // not a photo: never opened, placed by its last write
  SetLastWrite("readme.txt", 0);
  order.insert(order.begin(), "readme.txt");
  Start();

  // Chosen and dropped at once for another order: the name order stays.
  SendMessageW(form_->Handle(), WM_COMMAND, kCmdKShoot1, 0);
  EXPECT_TRUE(controls_->FileListBox1->ReadingDates());
  EXPECT_EQ(Status(3).rfind("撮影日時を読んでいます ", 0), 0u) << Status(3);
  EXPECT_EQ(Status(3).substr(Status(3).size() - 4), " / 7");
  SendMessageW(form_->Handle(), WM_COMMAND, kCmdKName1, 0);
  EXPECT_FALSE(controls_->FileListBox1->ReadingDates());
  Sleep(100);
  Pump();
  EXPECT_EQ(SortRadio(), static_cast<UINT>(kCmdKName1));
  EXPECT_EQ(Listed().front(), "heic_from_jpeg.heic");

  Menu(kCmdKShoot1);
  WaitForDates();
  EXPECT_EQ(SortRadio(), static_cast<UINT>(kCmdKShoot1));
  EXPECT_EQ(Listed(), order);
  EXPECT_EQ(Status(3), "8個存在");
  // The file information says which date placed the file.
  ClickBox(3);
  EXPECT_EQ(Status(0), "jpeg_offset.jpg");
  EXPECT_EQ(Status(2).rfind("撮影日時 2026/12/0", 0), 0u) << Status(2);
  ClickBox(1);
  EXPECT_EQ(Status(0), "jpeg_cut.jpg");
  EXPECT_EQ(Status(2).rfind("更新日時 2026/12/0", 0), 0u) << Status(2);

  // Read again, nothing is opened: the dates are known by name, size and time.
  Menu(kCmdKRenew1);
  EXPECT_FALSE(controls_->FileListBox1->ReadingDates());
  EXPECT_EQ(Listed(), order);

  std::vector<std::string> bytes;
  for (const std::string& name : order) bytes.push_back(testsupport::FileBytes(name));
  Menu(kCmdSelectAll1);
  RenameCheckedWithPrefix("t");
  for (std::size_t i = 0; i < order.size(); ++i) {
    SCOPED_TRACE(order[i]);
    const std::string extension = order[i].substr(order[i].rfind('.'));
    EXPECT_EQ(testsupport::FileBytes("t" + std::to_string(i + 1) + extension), bytes[i]);
  }
  Close();
  EXPECT_EQ(testsupport::ProfileText(folder_ + "\\KVTset.ini", "Option", "Order", ""), "3");
}

// Lines moved by hand, with the keys and with the mouse: the numbering
// follows the list; View > Sort says so; another folder or order ends it.
TEST_F(OpenOrderTest, HandOrderByKeysAndByADragIsRenamedAsShown) {
  const char* names[] = {"a.txt", "b.txt", "c.txt", "d.txt"};
  for (std::size_t i = 0; i < 4; ++i) WriteFile(names[i], i + 1);
  Start();
  EXPECT_EQ(GetMenuItemCount(controls_->KSort1), 4);
  testsupport::ClickRow(controls_->CheckListBox1->Handle(), 1);  // b highlighted and checked
  AltKey(VK_DOWN);
  EXPECT_EQ(Listed(), (Names{"a.txt", "c.txt", "b.txt", "d.txt"}));
  EXPECT_EQ(Highlighted(), "b.txt");
  EXPECT_EQ(Checked(), Names{"b.txt"});
  EXPECT_EQ(Grid(), (Rows{{"b.txt", "1.txt"}}));
  // 手動 is the last item, checked, while the order stands.
  EXPECT_EQ(GetMenuItemCount(controls_->KSort1), 5);
  EXPECT_EQ(testsupport::MenuText(controls_->KSort1, 4, MF_BYPOSITION), "手動/&Hand");
  EXPECT_EQ(SortRadio(), static_cast<UINT>(kCmdKHand1));
  AltKey(VK_UP);
  AltKey(VK_UP);
  AltKey(VK_UP);  // at the top already: nothing moves
  EXPECT_EQ(Listed(), (Names{"b.txt", "a.txt", "c.txt", "d.txt"}));
  DragLine(3, 0);
  EXPECT_EQ(Listed(), (Names{"d.txt", "b.txt", "a.txt", "c.txt"}));
  EXPECT_EQ(Highlighted(), "d.txt");
  EXPECT_EQ(Status(0), "d.txt");

  // Choosing the order again replaces the hand order.
  Menu(kCmdKName1);
  EXPECT_EQ(Listed(), (Names{"a.txt", "b.txt", "c.txt", "d.txt"}));
  EXPECT_EQ(GetMenuItemCount(controls_->KSort1), 4);
  EXPECT_EQ(SortRadio(), static_cast<UINT>(kCmdKName1));
  EXPECT_EQ(Checked(), Names{"b.txt"});

  testsupport::ClickRow(controls_->CheckListBox1->Handle(), 3);
  AltKey(VK_UP);
  DragLine(0, 3);
  EXPECT_EQ(Listed(), (Names{"b.txt", "d.txt", "c.txt", "a.txt"}));
  Menu(kCmdSelectAll1);
  RenameCheckedWithPrefix("h");
  EXPECT_EQ(FileSize("h1.txt"), 2);
  EXPECT_EQ(FileSize("h2.txt"), 4);
  EXPECT_EQ(FileSize("h3.txt"), 3);
  EXPECT_EQ(FileSize("h4.txt"), 1);
  // The folder is read again after the run: the chosen order is back.
  EXPECT_EQ(SortRadio(), static_cast<UINT>(kCmdKName1));
  EXPECT_EQ(GetMenuItemCount(controls_->KSort1), 4);
  Close();
  EXPECT_EQ(testsupport::ProfileText(folder_ + "\\KVTset.ini", "Option", "Order", ""), "");
}

}  // namespace
}  // namespace korvath
