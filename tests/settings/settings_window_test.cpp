// The settings file through the real windows: a first start and its close,
// a restart that finds everything again, the histories fed by the browser
// and the fields, the options dialog's OK, and a settings file that cannot
// be written.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "About.h"
#include "Application.h"
#include "DriveComboBox.h"
#include "FilterComboBox.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "ModalScript.h"
#include "Option.h"
#include "RenameSession.h"
#include "Setup.h"
#include "UserInput.h"

namespace korvath {
namespace {

using testsupport::Box;
using testsupport::Click;
using testsupport::CurrentFolder;

constexpr int kFullList = 1000;  // the most masks a user can have

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    items.push_back(testsupport::ComboItem(combo, i));
  }
  return items;
}

class SettingsWindowTest : public testsupport::MainWindowFixture {
 protected:
  SettingsWindowTest() : MainWindowFixture("kvt-settings-") { answer_ = IDOK; }

  // The profile functions cache the settings file: let it go before the
  // folder is removed.
  void BeforeRemovingFolder() override {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, Widen(Ini()).c_str());
  }

  std::string Ini() const { return root_ + "\\KVTset.ini"; }

  std::string Folder(const std::string& name, int files) {
    std::string path = root_ + "\\" + name;
    CreateDirectoryW(Widen(path).c_str(), nullptr);
    for (int i = 0; i < files; ++i) {
      testsupport::MakeFile(path + "\\f" + std::to_string(i) + ".txt", "x");
    }
    return path;
  }

  void LeaveField(HWND combo, const std::string& text) {
    SetWindowTextUtf8(combo, text);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(combo));
  }

  void WriteIni(const std::string& bytes) { testsupport::MakeFile(Ini(), bytes); }

  std::vector<std::string> FileNames(const std::string& folder) const {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(Widen(folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        names.push_back(Narrow(data.cFileName));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
  }

  int UnwritableReports() const {
    int count = 0;
    for (const Box& box : boxes_) count += box.text.find("に書き込めません") != std::string::npos;
    return count;
  }

  // View > Option with script run inside the dialog's own loop; whatever the
  // script did, the dialog does not stay open.
  void OpenOptions(std::function<void()> script) {
    testsupport::ModalScript::Run(
        option_->Handle(),
        [this] {
          SendMessageW(form_->Handle(), WM_COMMAND, MAKEWPARAM(kCmdKOption1, 0), 0);
          return 0;
        },
        {std::move(script)});
    Pump();  // a close the guard posted after the script must not reach the next opening
  }
  void Add(const std::string& mask) {
    SetWindowTextUtf8(optionControls_->Edit1, mask);
    Click(optionControls_->BitBtn3);
  }
  // A user's click on a row of the options dialog's list.
  void ClickRow(int row) { testsupport::ClickRow(optionControls_->ListBox1, row); }
  static std::string Text(HWND window) { return TSetupForm1::WindowText(window); }

  std::vector<std::string> IniLines() const {
    std::istringstream in(testsupport::FileBytes(Ini()));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) lines.push_back(line);
    }
    return lines;
  }

  std::string Read(const char* section, const std::string& key) const {
    return testsupport::ProfileText(Ini(), section, key);
  }

  std::string& root_ = folder_;
};

TEST_F(SettingsWindowTest, AFirstStartWritesEveryKeyAtClose) {
  Start();
  RECT rect;
  GetWindowRect(form_->Handle(), &rect);
  EXPECT_EQ(rect.left, 198);
  EXPECT_EQ(rect.top, 95);
  EXPECT_EQ(form_->SettingsPath, Ini());
  EXPECT_EQ(option_->Rows(), std::vector<std::string>{""});
  EXPECT_EQ(controls_->FilterComboBox1->Descriptions().size(), 19u);
  Close();

  std::vector<std::string> expected = {"[Form]", "Left=198", "Top=95", "[SetUp]",
                                       "DirHst0=" + root_};
  for (int i = 1; i < 7; ++i) expected.push_back("DirHst" + std::to_string(i) + "=");
  for (int i = 0; i < 33; ++i) expected.push_back("TopHst" + std::to_string(i) + "=");
  for (int i = 0; i < 33; ++i) expected.push_back("BtmHst" + std::to_string(i) + "=");
  expected.insert(expected.end(), {"[Option]", "FileCount=0", "File0="});
  EXPECT_EQ(IniLines(), expected);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(SettingsWindowTest, ARestartFindsEverythingAgain) {
  std::string a = Folder("A", 1), b = Folder("B", 2), c = Folder("表ソ", 1);
  Start();
  form_->ShowFolder(a);
  form_->ShowFolder(c);
  form_->ShowFolder(b);
  Pump();
  LeaveField(controls_->ComboBox1, "pre");
  LeaveField(controls_->ComboBox2, "suf");
  MoveWindow(form_->Handle(), 40, 30, 521, 430, TRUE);
  Close();

  testsupport::WriteProfileText(Ini(), "Option", "FileCount", "1");
  testsupport::WriteProfileText(Ini(), "Option", "File0", "*.txt");
  testsupport::WriteProfileText(Ini(), "Option", "File1", "*.a&b");
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, Widen(Ini()).c_str());

  Start();
  RECT rect;
  GetWindowRect(form_->Handle(), &rect);
  EXPECT_EQ(rect.left, 40);
  EXPECT_EQ(rect.top, 30);
  EXPECT_EQ(form_->ShownFolder(), b);
  EXPECT_EQ(CurrentFolder(), b);
  EXPECT_EQ(form_->DirHistory[1], b);
  EXPECT_EQ(form_->DirHistory[2], c);
  EXPECT_EQ(form_->DirHistory[3], a);
  EXPECT_EQ(ComboItems(controls_->ComboBox1), std::vector<std::string>{"pre"});
  EXPECT_EQ(ComboItems(controls_->ComboBox2), std::vector<std::string>{"suf"});
  EXPECT_EQ(TSetupForm1::WindowText(controls_->ComboBox1), "");
  EXPECT_EQ(option_->Rows(), (std::vector<std::string>{"*.txt", "*.a&b"}));
  const auto& descriptions = controls_->FilterComboBox1->Descriptions();
  ASSERT_EQ(descriptions.size(), 21u);
  EXPECT_EQ(descriptions[19], "ユーザ定義1 (*.txt)");
  EXPECT_EQ(descriptions[20], "ユーザ定義2 (*.a&b)");
  EXPECT_EQ(controls_->FilterComboBox1->ItemIndex(), 0);

  // The File menu offers the recent folders with their accelerators.
  SendMessageW(form_->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(controls_->KFile1), 0);
  EXPECT_TRUE(form_->MenuItemVisible(kCmdN1));
  EXPECT_EQ(form_->MenuItemCaption(kCmdN21), "(&2)" + c);
  EXPECT_FALSE(form_->MenuItemVisible(kCmdN41));
  // Choosing one goes there through the ordinary change chain.
  PostMessageW(form_->Handle(), WM_COMMAND, MAKEWPARAM(kCmdN31, 0), 0);
  Pump();
  EXPECT_EQ(form_->ShownFolder(), a);
  EXPECT_EQ(form_->DirHistory[1], a);
  EXPECT_EQ(form_->DirHistory[2], b);
  Close();
  // Masks read at start and never edited are written back as they were.
  EXPECT_EQ(Read("Option", "FileCount"), "1");
  EXPECT_EQ(Read("Option", "File1"), "*.a&b");
  EXPECT_EQ(Read("SetUp", "DirHst0"), a);
}

TEST_F(SettingsWindowTest, StoredPositionsAndOldMasksAreReadAsStored) {
  WriteIni("[Form]\r\nLeft=-40\r\nTop=0x20\r\n[Option]\r\nFileCount=-1\r\nFile0=*.old\r\n");
  Start();
  RECT rect;
  GetWindowRect(form_->Handle(), &rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 32);
  EXPECT_TRUE(option_->Rows().empty());
  EXPECT_EQ(controls_->FilterComboBox1->Descriptions().size(), 19u);
  EXPECT_EQ(controls_->FilterComboBox1->Filter().substr(controls_->FilterComboBox1->Filter().size() - 6),
            "|*.avi");
  Close();
  EXPECT_EQ(Read("Option", "FileCount"), "-1");
  EXPECT_EQ(Read("Option", "File0"), "*.old");
}

TEST_F(SettingsWindowTest, LeavingTheFieldsFillsTheirHistories) {
  Start();
  for (const char* text : {"a", "a", "b", "a"}) LeaveField(controls_->ComboBox1, text);
  EXPECT_EQ(ComboItems(controls_->ComboBox1), (std::vector<std::string>{"a", "b", "a"}));
  EXPECT_EQ(TSetupForm1::WindowText(controls_->ComboBox1), "a");
  LeaveField(controls_->ComboBox1, "");
  EXPECT_EQ(form_->PrefixHistory[0], "");
  EXPECT_EQ(ComboItems(controls_->ComboBox1), (std::vector<std::string>{"a", "b", "a"}));
  LeaveField(controls_->ComboBox2, "写真");
  EXPECT_EQ(ComboItems(controls_->ComboBox2), std::vector<std::string>{"写真"});
  Close();
  EXPECT_EQ(Read("SetUp", "TopHst0"), "");
  EXPECT_EQ(Read("SetUp", "TopHst1"), "a");
  EXPECT_EQ(Read("SetUp", "TopHst3"), "a");
  EXPECT_EQ(Read("SetUp", "BtmHst0"), "写真");
}

TEST_F(SettingsWindowTest, BadSettingsFilesStartWithDefaults) {
  const std::string longValue(4000, 'v');
  const std::string files[] = {
      std::string("\xff\xfe\x00[Form\x81]\r\nLeft\x00=\x9f", 16) + std::string(500, '\xfc'),
      "[Form]\r\nLeft=99999999999\r\nTop=$\r\n[SetUp]\r\nDirHst0=" + longValue +
          "\r\nTopHst0=" + longValue + "\r\n[Option]\r\nFileCount=2147483647\r\nFile0=*.a\r\n",
      "[Form]\r\nLe",
  };
  for (const std::string& bytes : files) {
    WriteIni(bytes);
    DWORD started = GetTickCount();
    Start();
    DWORD elapsed = GetTickCount() - started;
    RECT rect;
    GetWindowRect(form_->Handle(), &rect);
    EXPECT_EQ(rect.left, 198);
    EXPECT_EQ(rect.top, 95);
    EXPECT_EQ(form_->ShownFolder(), root_);
    EXPECT_LE(form_->PrefixHistory[0].size(), 2047u);
    EXPECT_LE(option_->Rows().size(), 1000u);
    EXPECT_LE(controls_->FilterComboBox1->Descriptions().size(), 19u + 1000u);
    EXPECT_EQ(controls_->FilterComboBox1->ItemIndex(), 0);
    EXPECT_LT(elapsed, 60000u) << "start-up with this file took too long";
    Close();
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, Widen(Ini()).c_str());
  }
}

TEST_F(SettingsWindowTest, OptionsOkSavesAndResetsTheFileTypeSelector) {
  Folder("C", 1);
  Start();
  controls_->FilterComboBox1->Pick(7);  // テキスト文書
  Pump();
  ASSERT_EQ(controls_->FilterComboBox1->ItemIndex(), 7);
  bool mainDisabled = false;
  RECT dialogRect{}, mainRect{};
  OpenOptions([&] {
    mainDisabled = !IsWindowEnabled(form_->Handle());
    GetWindowRect(option_->Handle(), &dialogRect);
    GetWindowRect(form_->Handle(), &mainRect);
    SetWindowTextUtf8(optionControls_->Edit1, "*.log");
    SendMessageW(optionControls_->BitBtn3, BM_CLICK, 0, 0);
    SendMessageW(optionControls_->BitBtn1, BM_CLICK, 0, 0);
  });

  EXPECT_FALSE(option_->Showing());
  // Modal, centred over the main window, which takes input again afterwards.
  EXPECT_TRUE(mainDisabled);
  EXPECT_TRUE(IsWindowEnabled(form_->Handle()));
  EXPECT_NEAR((dialogRect.left + dialogRect.right) / 2, (mainRect.left + mainRect.right) / 2, 1);
  EXPECT_NEAR((dialogRect.top + dialogRect.bottom) / 2, (mainRect.top + mainRect.bottom) / 2, 1);
  EXPECT_EQ(option_->Rows(), (std::vector<std::string>{"", "*.log"}));
  EXPECT_EQ(Read("Option", "FileCount"), "1");
  EXPECT_EQ(Read("Option", "File1"), "*.log");
  EXPECT_EQ(Read("Form", "Left"), "198");
  // The fresh install's empty first row gives no entry of its own.
  const auto& descriptions = controls_->FilterComboBox1->Descriptions();
  ASSERT_EQ(descriptions.size(), 20u);
  EXPECT_EQ(descriptions[19], "ユーザ定義1 (*.log)");
  EXPECT_EQ(controls_->FilterComboBox1->ItemIndex(), 0);
  EXPECT_EQ(controls_->FilterComboBox1->Mask(), "*.*");
  // The dialog's height limit is the main window's outer height.
  RECT outer;
  GetWindowRect(form_->Handle(), &outer);
  EXPECT_EQ(option_->MaxHeight(), outer.bottom - outer.top);
}

// A user's masks across restarts: what OK keeps, what Cancel undoes, and a
// full list, each found again at the next start as the user left it.
TEST_F(SettingsWindowTest, MasksComeBackAfterARestartAsTheUserLeftThem) {
  Start();  // a fresh install: one empty row
  ASSERT_EQ(option_->Rows(), std::vector<std::string>{""});
  OpenOptions([this] {
    Add("*.x");
    Click(optionControls_->BitBtn1);
  });
  const std::vector<std::string> afterOk = controls_->FilterComboBox1->Descriptions();
  ASSERT_EQ(afterOk.size(), 20u);
  EXPECT_EQ(afterOk.back(), "ユーザ定義1 (*.x)");

  // Cancel after deleting and adding puts the rows back, also for a save
  // that runs while the dialog is still open (a program ended meanwhile).
  std::vector<std::string> rowsWhileOpen, savedWhileOpen;
  OpenOptions([&] {
    ClickRow(1);
    Click(optionControls_->BitBtn4);
    ClickRow(0);
    Click(optionControls_->BitBtn4);
    Add("*.y");
    rowsWhileOpen = option_->Rows();
    form_->SaveSettings();
    savedWhileOpen = {Read("Option", "FileCount"), Read("Option", "File0"),
                      Read("Option", "File1")};
    Click(optionControls_->BitBtn2);
  });
  EXPECT_EQ(rowsWhileOpen, std::vector<std::string>{"*.y"});
  EXPECT_EQ(savedWhileOpen, (std::vector<std::string>{"1", "", "*.x"}));
  EXPECT_EQ(option_->Rows(), (std::vector<std::string>{"", "*.x"}));
  EXPECT_EQ(controls_->FilterComboBox1->Descriptions(), afterOk);
  Close();
  EXPECT_EQ(Read("Option", "FileCount"), "1");
  EXPECT_EQ(Read("Option", "File0"), "");
  EXPECT_EQ(Read("Option", "File1"), "*.x");

  Start();
  EXPECT_EQ(option_->Rows(), (std::vector<std::string>{"", "*.x"}));
  EXPECT_EQ(controls_->FilterComboBox1->Descriptions(), afterOk);
  Close();

  // A full list refuses one more mask, and every mask comes back.
  std::ostringstream full;
  full << "[Option]\r\nFileCount=" << kFullList - 1 << "\r\n";
  for (int n = 0; n < kFullList; ++n) full << "File" << n << "=*." << n << "\r\n";
  WriteIni(full.str());
  Start();
  ASSERT_EQ(option_->Rows().size(), static_cast<std::size_t>(kFullList));
  OpenOptions([this] {
    Add("*.more");
    Click(optionControls_->BitBtn1);
  });
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "ユーザー定義ファイルは、1000個までしか登録できません。");
  EXPECT_EQ(boxes_[0].caption, "警告");
  EXPECT_EQ(Text(optionControls_->Edit1), "*.more");
  EXPECT_EQ(controls_->FilterComboBox1->Descriptions().size(), 19u + kFullList);
  Close();
  Start();
  std::vector<std::string> rows = option_->Rows();
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kFullList));
  EXPECT_EQ(rows.back(), "*." + std::to_string(kFullList - 1));
  EXPECT_EQ(controls_->FilterComboBox1->Descriptions().back(),
            "ユーザ定義1000 (*." + std::to_string(kFullList - 1) + ")");
}

// The taskbar entry belongs to the application's own window, and log-off
// reaches every window: each route ends the program through the main
// window's closing sequence, which writes the file once.
TEST_F(SettingsWindowTest, EveryWayOfEndingTheProgramSavesOnce) {
  struct Route {
    const char* name;
    std::function<void(HWND main)> end;
  };
  const Route routes[] = {
      {"close box", [](HWND main) { PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Alt+F4", [](HWND main) { PostMessageW(main, WM_SYSKEYDOWN, VK_F4, 0x20000001); }},
      {"File > Exit",
       [](HWND main) { PostMessageW(main, WM_COMMAND, MAKEWPARAM(kCmdKExit1, 0), 0); }},
      {"taskbar entry's Close",
       [](HWND) { PostMessageW(Application.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"close sent to the taskbar entry's window",
       [](HWND) { PostMessageW(Application.Handle(), WM_CLOSE, 0, 0); }},
      {"log-off",
       [](HWND main) {
         for (HWND window : {Application.Handle(), main}) {
           EXPECT_TRUE(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
         }
         for (HWND window : {Application.Handle(), main}) {
           SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
         }
       }},
  };
  int left = 20;
  for (const Route& route : routes) {
    SCOPED_TRACE(route.name);
    // Written: the position the window was moved to.
    Start();
    left += 10;
    MoveWindow(form_->Handle(), left, 25, 521, 430, TRUE);
    HWND main = form_->Handle();
    route.end(main);
    Pump();
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(Read("Form", "Left"), std::to_string(left));
    DestroyWindows();

    // Once: a save that fails says so once per attempt.
    boxes_.clear();
    Start();
    form_->SettingsPath = root_ + "\\missing\\KVTset.ini";
    main = form_->Handle();
    route.end(main);
    Pump();
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(UnwritableReports(), 1);
    DestroyWindows();
  }
}

// A close while the rename run's warning box is up (its own loop dispatches
// the close) must not destroy the window under the run: the run would go on
// reading empty fields and rename files to bare numbers.
TEST_F(SettingsWindowTest, ACloseDuringARunWaitsForTheRunAndThenSaves) {
  const std::string folder = Folder("run", 0);
  for (const char* name : {"c.txt", "d.txt", "n_1.txt"})
    testsupport::MakeFile(folder + "\\" + name, "x");
  WriteIni("[SetUp]\r\nDirHst0=" + folder + "\r\n");
  Start();
  ASSERT_EQ(form_->ShownFolder(), folder);
  SetWindowTextUtf8(controls_->ComboBox1, "n_");
  form_->Session().Files[0].Checked = true;  // c.txt, whose n_1.txt is taken
  form_->Session().Files[1].Checked = true;  // d.txt
  form_->RefreshPreview();
  ASSERT_TRUE(IsWindowEnabled(controls_->BitBtn1));

  HWND main = form_->Handle();
  bool closedAtFirstWarning = false, aliveAfterClose = false, logOffAllowed = true;
  SetMessageBoxHandler([&](HWND, const std::string& text, const std::string& caption, UINT flags) {
    boxes_.push_back({text, caption, flags});
    if (flags & MB_YESNO) return IDYES;
    if (!closedAtFirstWarning) {
      closedAtFirstWarning = true;
      PostMessageW(Application.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
      logOffAllowed = SendMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) != FALSE;
      Pump();
      aliveAfterClose = IsWindow(main) != FALSE;
    }
    return IDOK;
  });
  SendMessageW(controls_->BitBtn1, BM_CLICK, 0, 0);
  ASSERT_TRUE(closedAtFirstWarning);
  EXPECT_TRUE(aliveAfterClose);
  EXPECT_FALSE(logOffAllowed) << "log-off waits for the run";
  for (const std::string& name : FileNames(folder)) {
    EXPECT_TRUE(name.size() > 4 && name.substr(name.size() - 4) == ".txt") << name;
    EXPECT_TRUE(name.rfind("n_", 0) == 0 || name == "c.txt" || name == "d.txt") << name;
  }

  // Once the run has ended, the close is carried out and saves.
  Pump();
  EXPECT_FALSE(IsWindow(main));
  EXPECT_EQ(Read("SetUp", "DirHst0"), folder);
  EXPECT_EQ(UnwritableReports(), 0);
}

// The stored folder exists but cannot be entered: the program starts in the
// start-up folder, as it does when the folder is missing, with no error.
TEST_F(SettingsWindowTest, AStoredFolderThatCannotBeEnteredStillStartsTheProgram) {
  // Held by another program without sharing, which refuses entering it.
  const std::string held = Folder("held", 1);
  HANDLE holder = CreateFileW(Widen(held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  WriteIni("[SetUp]\r\nDirHst0=" + held + "\r\n");
  Start();
  CloseHandle(holder);
  EXPECT_EQ(form_->ShownFolder(), root_);
  EXPECT_EQ(CurrentFolder(), root_);
  EXPECT_TRUE(boxes_.empty());
  Close();
  EXPECT_EQ(Read("SetUp", "DirHst0"), root_);

  // Another drive, whose folder remembered by the launching process is gone:
  // entering the drive fails unless the program goes to its root instead.
  char other = 0;
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'C'; letter <= 'Z' && !other; ++letter) {
    const std::string rootPath = std::string(1, letter) + ":\\";
    if ((drives & (1u << (letter - 'A'))) && letter != toupper(root_[0]) &&
        GetDriveTypeW(Widen(rootPath).c_str()) == DRIVE_FIXED) {
      other = letter;
    }
  }
  ASSERT_NE(other, 0) << "a second fixed drive";
  const std::string drive = std::string(1, other) + ":";
  const std::string perDrive = "=" + drive;
  SetEnvironmentVariableW(Widen(perDrive).c_str(), Widen(drive + "\\kvt-gone-folder").c_str());
  WriteIni("[SetUp]\r\nDirHst0=" + drive + "\\\r\n");
  Start();
  SetEnvironmentVariableW(Widen(perDrive).c_str(), nullptr);
  EXPECT_TRUE(boxes_.empty());
  const std::string shown = form_->ShownFolder();
  EXPECT_TRUE(shown == root_ || shown == drive + "\\") << shown;
  EXPECT_EQ(CurrentFolder(), shown);
  EXPECT_EQ(controls_->DriveComboBox1->Drive(), toupper(shown[0])) << "the selector shows its drive";
  Close();
  EXPECT_EQ(Read("SetUp", "DirHst0"), shown);
}

// A stored position off every screen would open the window out of reach and
// save it back there.
TEST_F(SettingsWindowTest, APositionOffEveryScreenOpensAtTheDesignPosition) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  struct Case {
    int left, top, expectedLeft, expectedTop;
  };
  const Case cases[] = {
      {width + 200, 40, 198, 95},
      {40, height + 10, 198, 95},
      {width - 60, height - 60, width - 60, height - 60},  // a corner still on screen
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.left) + ", " + std::to_string(c.top));
    WriteIni("[Form]\r\nLeft=" + std::to_string(c.left) + "\r\nTop=" + std::to_string(c.top) +
             "\r\n");
    Start();
    RECT rect;
    GetWindowRect(form_->Handle(), &rect);
    EXPECT_EQ(rect.left, c.expectedLeft);
    EXPECT_EQ(rect.top, c.expectedTop);
    Close();
    EXPECT_EQ(Read("Form", "Left"), std::to_string(c.expectedLeft));
    EXPECT_EQ(Read("Form", "Top"), std::to_string(c.expectedTop));
  }
}

TEST_F(SettingsWindowTest, AnUnwritableFileIsReportedAndTheProgramStillEnds) {
  Start();
  // A settings path whose folder is missing cannot be written, also for a
  // Wine run as root (which ignores read-only folders).
  form_->SettingsPath = root_ + "\\missing\\KVTset.ini";
  bool openAfterFailure = false;
  OpenOptions([&] {
    SendMessageW(optionControls_->BitBtn1, BM_CLICK, 0, 0);
    openAfterFailure = option_->Showing();
  });
  EXPECT_TRUE(openAfterFailure);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, root_ + "\\missing\\KVTset.ini に書き込めません.");
  EXPECT_EQ(boxes_[0].caption, "Korvath");
  EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));

  HWND window = form_->Handle();
  PostMessageW(window, WM_CLOSE, 0, 0);
  Pump();
  EXPECT_EQ(boxes_.size(), 2u);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(GetFileAttributesW(Widen(root_ + "\\missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace korvath
