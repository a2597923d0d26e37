// The browser controls under Wine, on real folders in a temporary folder,
// created as children of a host window that offers them its messages the way
// the main window does.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Application.h"
#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "FileInfo.h"
#include "FileListBox.h"
#include "FilterComboBox.h"
#include "Form.h"
#include "IoError.h"
#include "MessageBox.h"
#include "TestFiles.h"
#include "WideText.h"
#include "Win32Collation.h"
#include "Win32Folders.h"
#include "WorkingFolder.h"

namespace korvath {
namespace {

using testsupport::CurrentFolder;
using testsupport::MakeScratchFolder;
using testsupport::RemoveTree;

constexpr int kDriveId = 101, kDirId = 102, kFileId = 103, kFilterId = 104;

// A path for the wide functions: full ones (on a drive) in the "\\?\"
// form, so that the test's own calls reach any depth.
std::wstring Native(const std::string& path) {
  const bool full = path.size() > 2 && path[1] == ':';
  return full ? L"\\\\?\\" + Widen(path) : Widen(path);
}

// An empty file, or one of size bytes, with these attributes.
void MakeFile(const std::string& path, std::size_t size = 0, DWORD attributes = 0) {
  ASSERT_TRUE(testsupport::MakeFile(path, std::string(size, 'x'), attributes)) << path;
}

void MakeFolder(const std::string& path, DWORD attributes = 0) {
  ASSERT_TRUE(CreateDirectoryW(Native(path).c_str(), nullptr)) << path;
  if (attributes) SetFileAttributesW(Native(path).c_str(), attributes);
}

// Stands in for the main window: the browser's parent, offering every
// control the messages they need and reporting errors through the trampoline.
class HostForm : public TForm {
 public:
  TDriveComboBox Drive;
  TDirectoryListBox Dir;
  TFileListBox Files;
  TFilterComboBox Filter;
  std::vector<std::string> Events;

  void Create() {
    CreateParams params;
    params.className = "KorvathBrowserTestHost";
    params.caption = "host";
    params.width = 400;
    params.height = 400;
    CreateHandle(params);
    Drive.SetDirList(&Dir);
    Dir.SetFileList(&Files);
    Filter.SetFileList(&Files);
    Files.Create(Handle(), kFileId, 135, 36, 125, 285, nullptr);
    Drive.Create(Handle(), kDriveId, 0, 0, 125, 18, nullptr);
    Dir.Create(Handle(), kDirId, 0, 18, 125, 260, nullptr);
    Filter.Create(Handle(), kFilterId, 140, 0, 145, 20, nullptr);
    Drive.OnChange = [this] { Events.push_back("drive"); };
    Dir.OnChange = [this] { Events.push_back("dir"); };
    Filter.OnChange = [this] { Events.push_back("filter"); };
    Files.OnChange = [this] { Events.push_back("read"); };
  }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override {
    if (msg == WM_COMMAND || msg == WM_DRAWITEM || msg == WM_MEASUREITEM) {
      LRESULT result = 0;
      if (Drive.HandleParentMessage(msg, wparam, lparam, result) ||
          Dir.HandleParentMessage(msg, wparam, lparam, result) ||
          Files.HandleParentMessage(msg, wparam, lparam, result) ||
          Filter.HandleParentMessage(msg, wparam, lparam, result)) {
        return result;
      }
    }
    return TForm::WndProc(msg, wparam, lparam);
  }
};

class BrowserTest : public testing::Test {
 protected:
  void SetUp() override {
    Application.SetTitle("Korvath");
    original_ = CurrentFolder();
    root_ = MakeScratchFolder("kvbrowse");
    SetWorkingFolder(root_);
    root_ = CurrentFolder();  // as the platform spells it
  }
  void TearDown() override {
    host_.reset();
    SetMessageBoxHandler({});
    SetWorkingFolder(original_);
    RemoveTree(root_);
  }
  HostForm& Host() {
    if (!host_) {
      host_ = std::make_unique<HostForm>();
      host_->Create();
    }
    return *host_;
  }
  std::string Path(const std::string& name) const { return root_ + "\\" + name; }

  std::string original_;
  std::string root_;
  std::unique_ptr<HostForm> host_;
};

using Names = std::vector<std::string>;

// The order a sorted list box keeps when names are inserted one by one.
Names SortedListBoxOrder(const Names& names) {
  HWND list = CreateWindowExW(0, L"LISTBOX", L"", LBS_SORT | LBS_HASSTRINGS, 0, 0, 10, 10, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  for (const std::string& name : names) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
  }
  Names sorted;
  int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    sorted.push_back(Narrow(text));
  }
  DestroyWindow(list);
  return sorted;
}

TEST(Collation, DigitsAreCharactersAndCaseIsIgnored) {
  Names names{"img2.jpg", "Img3.jpg", "img10.jpg", "img1.jpg", "C.txt", "b.txt", "A.txt"};
  SortCaseInsensitive(names);
  EXPECT_EQ(names,
            (Names{"A.txt", "b.txt", "C.txt", "img1.jpg", "img10.jpg", "img2.jpg", "Img3.jpg"}));
}

TEST(Collation, MatchesTheSortedListBoxOrder) {
  Names names{"b.txt",     "a-b.txt",   "ab.txt",   "_x.txt",   "~a.txt",   "表.txt",   "ソ.txt",
              "１.txt",    "1.txt",     "ｱ.txt",    "あ.txt",   "ア.txt",   "Z.txt",    "z1.txt",
              "a b.txt",   "a.b.c",     "A(1).txt", "a'b.txt",  "ﾃ.txt",    "@.txt",    "9.txt",
              "10.txt",    "img.JPG",   "IMG.jpeg", "漢字.txt", "かな.txt", "café.jpg", "cafe.jpg",
              "naïve.txt", "naive.txt", "한글.txt", "😀.txt",    "Ω.txt",    "ω1.txt"};
  Names sorted = names;
  SortCaseInsensitive(sorted);
  EXPECT_EQ(sorted, SortedListBoxOrder(names));
}

TEST(Collation, UniqueDropsNamesEqualIgnoringCaseKeepingTheFirst) {
  Names names{"beta", "Alpha", "ALPHA", "alpha2", "BETA"};
  SortCaseInsensitiveUnique(names);
  EXPECT_EQ(names, (Names{"Alpha", "alpha2", "beta"}));
}

TEST(IoErrorTexts, ChosenByCode) {
  const std::pair<unsigned long, std::string> cases[] = {
      {2, "ファイルが見つかりません"},
      {3, "不正なファイル名です"},
      {4, "オープンしたファイルが多すぎます"},
      {5, "ファイルへのアクセスが拒否されました"},
      {21, "I/O エラー (21)"},
      {0, "I/O エラー (0)"},
  };
  for (const auto& [code, text] : cases) {
    EXPECT_EQ(EInOutError(code).what(), text) << code;
    EXPECT_EQ(EInOutError(code).ErrorCode(), code);
  }
}

TEST_F(BrowserTest, FilesAreListedInCaseInsensitiveOrderWithDigitsAsCharacters) {
  for (const char* name : {"img2.jpg", "Img3.jpg", "img10.jpg", "img1.jpg"}) MakeFile(Path(name));
  HostForm& host = Host();
  EXPECT_EQ(host.Files.Items(), (Names{"img1.jpg", "img10.jpg", "img2.jpg", "Img3.jpg"}));
  EXPECT_EQ(host.Files.Directory(), root_);
  EXPECT_EQ(host.Files.ItemIndex(), 0);
  EXPECT_EQ(SendMessageW(host.Files.Handle(), LB_GETSELCOUNT, 0, 0),
            0);  // nothing is ever selected
}

TEST_F(BrowserTest, MaskPatternsAreReadOneByOneAndSortedTogether) {
  for (const char* name : {"d.txt", "a.log", "c.log", "b.txt", "e.dat"}) MakeFile(Path(name));
  HostForm& host = Host();
  struct Case {
    const char* mask;
    Names expected;
  } cases[] = {
      {"*.txt;*.log", {"a.log", "b.txt", "c.log", "d.txt"}},
      {"*.log;*.txt", {"a.log", "b.txt", "c.log", "d.txt"}},
      {"*.txt;b*", {"b.txt", "b.txt", "d.txt"}},  // matched twice: listed twice
      {"*.zzz", {}},
      {"", {}},
      {"*.dat;", {"e.dat"}},
      {"?.dat", {"e.dat"}},
  };
  for (const Case& c : cases) {
    host.Files.SetFileMask(c.mask);
    EXPECT_EQ(host.Files.Items(), c.expected) << c.mask;
    EXPECT_EQ(host.Files.Mask(), c.mask);
    EXPECT_EQ(host.Files.EditText(), c.mask);
  }
}

TEST_F(BrowserTest, SetFileMaskReadsOnlyWhenTheMaskChanges) {
  MakeFile(Path("a.txt"));
  HostForm& host = Host();
  host.Events.clear();
  host.Files.SetFileMask("*.*");
  EXPECT_TRUE(host.Events.empty());
  host.Files.SetFileMask("*.TXT");
  host.Files.SetFileMask("*.TXT");
  EXPECT_EQ(host.Events, (Names{"read"}));
}

TEST_F(BrowserTest, HiddenSystemFilesAndFoldersAreSkippedReadOnlyFilesKept) {
  MakeFile(Path("plain.txt"));
  MakeFile(Path("hidden.txt"), 0, FILE_ATTRIBUTE_HIDDEN);
  MakeFile(Path("system.txt"), 0, FILE_ATTRIBUTE_SYSTEM);
  MakeFile(Path("readonly.txt"), 0, FILE_ATTRIBUTE_READONLY);
  MakeFile(Path("archive.txt"), 0, FILE_ATTRIBUTE_ARCHIVE);
  MakeFolder(Path("folder.txt"));
  EXPECT_EQ(Host().Files.Items(), (Names{"archive.txt", "plain.txt", "readonly.txt"}));
}

TEST_F(BrowserTest, FileListEditReceivesTheMaskSelected) {
  HWND edit = CreateWindowExW(0, L"EDIT", L"*.*", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 100, 20,
                              Host().Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  Host().Files.SetFileEdit(edit);
  Host().Files.SetFileMask("*.htm;*.html");
  wchar_t text[64] = {};
  GetWindowTextW(edit, text, 64);
  EXPECT_STREQ(text, L"*.htm;*.html");
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 12u);
}

TEST_F(BrowserTest, FolderLinesShowTheWayDownAndSortedVisibleSubfolders) {
  MakeFolder(Path("top"));
  for (const char* name : {"beta", "Alpha", "gamma", "delta"}) MakeFolder(Path("top\\") + name);
  SetFileAttributesW(Native(Path("top\\gamma")).c_str(),
                     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
  SetFileAttributesW(Native(Path("top\\delta")).c_str(),
                     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
  MakeFile(Path("top\\file.txt"));
  HostForm& host = Host();
  host.Dir.ShowFolder("top");

  const std::string shown = Path("top");
  EXPECT_EQ(host.Dir.Directory(), shown);
  const auto& lines = host.Dir.Lines();
  const int depth = ShownFolderLine(shown);
  ASSERT_EQ(static_cast<int>(lines.size()), depth + 3);
  EXPECT_EQ(lines[0].Text, shown.substr(0, 3));
  EXPECT_EQ(lines[0].Glyph, FolderGlyph::Open);
  EXPECT_EQ(lines[static_cast<std::size_t>(depth)].Text, "top");
  EXPECT_EQ(lines[static_cast<std::size_t>(depth)].Glyph, FolderGlyph::Current);
  EXPECT_EQ(lines[static_cast<std::size_t>(depth) + 1].Text, "Alpha");
  EXPECT_EQ(lines[static_cast<std::size_t>(depth) + 2].Text, "beta");
  EXPECT_EQ(lines[static_cast<std::size_t>(depth) + 2].Glyph, FolderGlyph::Closed);
  EXPECT_EQ(host.Dir.ItemIndex(), depth);
  EXPECT_EQ(SendMessageW(host.Dir.Handle(), LB_GETCOUNT, 0, 0), depth + 3);
  for (int i = 0; i <= depth; ++i) {
    EXPECT_EQ(lines[static_cast<std::size_t>(i)].GlyphLeft, 4 * i + 2);
  }
  const int backslashes = static_cast<int>(std::count(shown.begin(), shown.end(), '\\'));
  EXPECT_EQ(lines.back().GlyphLeft, 4 * backslashes + 6);

  // Opening lines: a subfolder, then the line above the shown folder.
  host.Dir.OpenLine(depth + 2);
  EXPECT_EQ(host.Dir.Directory(), Path("top\\beta"));
  EXPECT_EQ(CurrentFolder(), Path("top\\beta"));
  host.Dir.OpenLine(depth);
  EXPECT_EQ(host.Dir.Directory(), shown);
  host.Dir.OpenLine(0);
  EXPECT_EQ(host.Dir.Directory(), shown.substr(0, 3));
}

TEST_F(BrowserTest, ShowFolderTakesEveryFormOfPath) {
  MakeFolder(Path("sub"));
  MakeFolder(Path("sub\\deep"));
  MakeFile(Path("sub\\a.txt"));
  HostForm& host = Host();
  const std::string noDrive = root_.substr(2);
  struct Case {
    std::string path;
    std::string shown;
  } cases[] = {
      {"sub", Path("sub")},
      {"deep\\", Path("sub\\deep")},
      {"..", Path("sub")},
      {root_, root_},
      {Path("sub\\a.txt"), Path("sub")},              // a file: its folder
      {Path("sub\\deep\\*.txt"), Path("sub\\deep")},  // a pattern: its folder
      {noDrive + "\\sub\\", Path("sub")},             // no drive: the current one
  };
  for (const Case& c : cases) {
    host.Events.clear();
    host.Dir.ShowFolder(c.path);
    EXPECT_EQ(host.Dir.Directory(), c.shown) << c.path;
    EXPECT_EQ(CurrentFolder(), c.shown) << c.path;
    EXPECT_EQ(host.Files.Directory(), c.shown) << c.path;
    EXPECT_EQ(host.Events, (Names{"read", "dir"})) << c.path;
  }
  EXPECT_EQ(host.Files.Items(), Names{"a.txt"});
}

TEST_F(BrowserTest, ShowingTheShownFolderChangesNothing) {
  HostForm& host = Host();
  host.Events.clear();
  host.Dir.ShowFolder("");
  host.Dir.ShowFolder(root_);
  EXPECT_TRUE(host.Events.empty());
}

// Folders a and A can stand side by side (case-sensitive folders on NTFS,
// any folder under Wine on Linux), whatever the volume's flags say. Wine
// itself cannot create such a pair, so the same folder under another
// spelling stands in: any text but the shown folder's own is read anew.
TEST_F(BrowserTest, FolderSpeltInOtherLetterCaseIsReadAgain) {
  MakeFolder(Path("case"));
  HostForm& host = Host();
  host.Dir.ShowFolder(Path("case"));
  MakeFile(Path("case\\new.txt"));
  host.Events.clear();
  host.Dir.ShowFolder(Path("CASE"));
  EXPECT_EQ(host.Events, (Names{"read", "dir"}));
  EXPECT_EQ(host.Files.Items(), Names{"new.txt"});
  EXPECT_EQ(host.Files.Directory(), host.Dir.Directory());
  EXPECT_EQ(CurrentFolder(), host.Dir.Directory());
}

TEST_F(BrowserTest, FolderThatCannotBeEnteredChangesNothing) {
  MakeFolder(Path("sub"));
  MakeFile(Path("sub\\keep.txt"));
  HostForm& host = Host();
  host.Dir.ShowFolder("sub");
  const auto lines = host.Dir.Lines();
  host.Events.clear();
  for (const std::string& path :
       {std::string("missing"), Path("missing\\deeper"), std::string("Q:\\nowhere")}) {
    try {
      host.Dir.ShowFolder(path);
      ADD_FAILURE() << "no error for " << path;
    } catch (const EInOutError& error) {
      const unsigned long code = error.ErrorCode();
      EXPECT_TRUE(code == 2 || code == 3 || code == 15 || code == 21) << code;
      EXPECT_EQ(error.what(), IoErrorText(code));
    }
    EXPECT_EQ(host.Dir.Directory(), Path("sub"));
    EXPECT_EQ(CurrentFolder(), Path("sub"));
    EXPECT_EQ(host.Files.Items(), Names{"keep.txt"});
    EXPECT_EQ(host.Dir.Lines().size(), lines.size());
  }
  EXPECT_TRUE(host.Events.empty());
  EXPECT_EQ(IoErrorText(2), "ファイルが見つかりません");
}

TEST_F(BrowserTest, OpeningARemovedFolderShowsTheErrorReport) {
  MakeFolder(Path("gone"));
  HostForm& host = Host();
  const int line = static_cast<int>(host.Dir.Lines().size()) - 1;
  ASSERT_EQ(host.Dir.Lines().back().Text, "gone");
  RemoveDirectoryW(Native(Path("gone")).c_str());
  std::vector<std::string> boxes;
  SetMessageBoxHandler([&](HWND, const std::string& text, const std::string& caption, UINT flags) {
    boxes.push_back(caption + "|" + text);
    EXPECT_EQ(flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    return IDOK;
  });
  host.Events.clear();
  SendMessageW(host.Dir.Handle(), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
  SendMessageW(host.Handle(), WM_COMMAND, MAKEWPARAM(kDirId, LBN_DBLCLK),
               reinterpret_cast<LPARAM>(host.Dir.Handle()));
  EXPECT_EQ(boxes, Names{"Korvath|ファイルが見つかりません."});
  EXPECT_EQ(host.Dir.Directory(), root_);
  EXPECT_EQ(CurrentFolder(), root_);
  EXPECT_TRUE(host.Events.empty());
}

TEST_F(BrowserTest, EnterInTheFolderListOpensTheHighlightedLine) {
  MakeFolder(Path("inner"));
  HostForm& host = Host();
  const int line = static_cast<int>(host.Dir.Lines().size()) - 1;
  SendMessageW(host.Dir.Handle(), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
  SendMessageW(host.Dir.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(host.Dir.Directory(), Path("inner"));
}

TEST_F(BrowserTest, RemovedFolderKeepsTheOldNames) {
  MakeFolder(Path("shown"));
  MakeFile(Path("shown\\a.txt"));
  MakeFile(Path("shown\\b.txt"));
  HostForm& host = Host();
  host.Dir.ShowFolder("shown");
  ASSERT_EQ(host.Files.Items(), (Names{"a.txt", "b.txt"}));
  SetWorkingFolder(root_);
  RemoveTree(Path("shown"));
  ASSERT_FALSE(FolderExists(Path("shown")));
  EXPECT_THROW(host.Files.ListFolderFiles(), EInOutError);
  EXPECT_EQ(host.Files.Items(), (Names{"a.txt", "b.txt"}));
  // Going up still works from a shown folder that has vanished.
  host.Dir.ShowParentFolder();
  EXPECT_EQ(host.Dir.Directory(), root_);
  EXPECT_TRUE(host.Files.Items().empty());
}

TEST_F(BrowserTest, DoubleByteNamesThroughNavigation) {
  MakeFolder(Path("表示"));
  MakeFolder(Path("表示\\ソ"));
  MakeFile(Path("表示\\ソ\\表.txt"));
  MakeFile(Path("表示\\ソ\\ソ.txt"));
  HostForm& host = Host();
  host.Dir.ShowFolder("表示");
  EXPECT_EQ(host.Dir.Lines().back().Text, "ソ");
  host.Dir.OpenLine(static_cast<int>(host.Dir.Lines().size()) - 1);
  EXPECT_EQ(host.Dir.Directory(), Path("表示\\ソ"));
  EXPECT_EQ(host.Files.Items(), SortedListBoxOrder({"表.txt", "ソ.txt"}));
  host.Dir.ShowParentFolder();
  EXPECT_EQ(host.Dir.Directory(), Path("表示"));
  host.Dir.ShowParentFolder();
  EXPECT_EQ(host.Dir.Directory(), root_);
}

TEST_F(BrowserTest, ParentFolderAtARootStays) {
  HostForm& host = Host();
  host.Dir.ShowFolder(root_.substr(0, 3));
  host.Events.clear();
  host.Dir.ShowParentFolder();
  EXPECT_EQ(host.Dir.Directory(), root_.substr(0, 3));
  EXPECT_TRUE(host.Events.empty());
}

TEST(DriveEntries, TextByDriveType) {
  EXPECT_EQ(DriveEntryText('A', DRIVE_REMOVABLE, "", ""), "A:");
  EXPECT_EQ(DriveEntryText('C', DRIVE_FIXED, "system", ""), "C: [SYSTEM]");
  EXPECT_EQ(DriveEntryText('C', DRIVE_FIXED, "", ""), "C: []");
  EXPECT_EQ(DriveEntryText('D', DRIVE_CDROM, "Disc", ""), "D: [DISC]");
  EXPECT_EQ(DriveEntryText('R', DRIVE_RAMDISK, "ram", ""), "R: [RAM]");
  EXPECT_EQ(DriveEntryText('Z', DRIVE_REMOTE, "lbl", "\\\\server\\share"), "Z: \\\\SERVER\\SHARE");
  EXPECT_EQ(DriveEntryText('Z', DRIVE_REMOTE, "lbl", ""), "Z: [LBL]");
  EXPECT_EQ(DriveEntryText('X', DRIVE_UNKNOWN, "x", ""), "");
  EXPECT_EQ(DriveEntryText('Y', DRIVE_NO_ROOT_DIR, "", ""), "");
}

TEST_F(BrowserTest, DriveListSelectsTheCurrentDrive) {
  HostForm& host = Host();
  const auto entries = host.Drive.Entries();
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(host.Drive.Drive(), root_[0]);
  const int index = host.Drive.ItemIndex();
  ASSERT_GE(index, 0);
  EXPECT_EQ(entries[static_cast<std::size_t>(index)].substr(0, 2), root_.substr(0, 2));
  for (const std::string& entry : entries) {
    EXPECT_TRUE(entry[0] >= 'A' && entry[0] <= 'Z') << entry;
    EXPECT_EQ(entry, UpperCaseFileName(entry));
  }
  RECT bounds{};
  GetWindowRect(host.Drive.Handle(), &bounds);
  EXPECT_EQ(bounds.bottom - bounds.top, 18);
}

TEST_F(BrowserTest, PickingAnotherDriveGoesToItsLastFolderAndBack) {
  HostForm& host = Host();
  const auto entries = host.Drive.Entries();
  int other = -1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i][0] != root_[0] && entries[i].size() > 2 &&
        FolderExists(entries[i].substr(0, 2) + "\\")) {
      other = static_cast<int>(i);
    }
  }
  if (other < 0) GTEST_SKIP() << "only one drive";
  const char otherLetter = entries[static_cast<std::size_t>(other)][0];
  host.Events.clear();
  host.Drive.Pick(other);
  EXPECT_EQ(host.Events, (Names{"read", "dir", "drive", "drive"}));
  EXPECT_EQ(host.Dir.Directory()[0], otherLetter);
  EXPECT_EQ(CurrentFolder(), host.Dir.Directory());
  EXPECT_EQ(host.Files.Directory(), host.Dir.Directory());

  // Back to the first drive: its folder of this run, not its root.
  int first = -1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i][0] == root_[0]) first = static_cast<int>(i);
  }
  host.Drive.Pick(first);
  EXPECT_EQ(host.Dir.Directory(), root_);
  EXPECT_EQ(CurrentFolder(), root_);

  // A folder on the other drive chooses that drive first, without a rebuild.
  host.Events.clear();
  host.Dir.ShowFolder(std::string(1, otherLetter) + ":\\");
  EXPECT_EQ(host.Drive.Drive(), otherLetter);
  EXPECT_EQ(host.Events, (Names{"drive", "read", "dir"}));
  EXPECT_EQ(host.Dir.Directory(), std::string(1, otherLetter) + ":\\");
}

// A drive whose remembered folder has gone (a medium swapped under the same
// letter) is entered at its root, and stays reachable afterwards.
TEST_F(BrowserTest, DriveWhoseFolderHasGoneIsEnteredAtItsRoot) {
  MakeFolder(Path("card"));
  HostForm& host = Host();
  const auto entries = host.Drive.Entries();
  int first = -1, other = -1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i][0] == root_[0]) {
      first = static_cast<int>(i);
    } else if (FolderExists(entries[i].substr(0, 2) + "\\")) {
      other = static_cast<int>(i);
    }
  }
  if (other < 0) GTEST_SKIP() << "only one drive";
  host.Dir.ShowFolder(Path("card"));
  host.Drive.Pick(other);
  ASSERT_TRUE(RemoveDirectoryW(Native(Path("card")).c_str()));
  host.Events.clear();
  host.Drive.Pick(first);
  const std::string driveRoot = root_.substr(0, 3);
  EXPECT_EQ(host.Dir.Directory(), driveRoot);
  EXPECT_EQ(CurrentFolder(), driveRoot);
  EXPECT_EQ(host.Files.Directory(), driveRoot);
  EXPECT_EQ(host.Events, (Names{"read", "dir", "drive", "drive"}));
  host.Drive.Pick(other);
  host.Drive.Pick(first);  // its folder is the root now
  EXPECT_EQ(host.Dir.Directory(), driveRoot);
}

TEST_F(BrowserTest, DriveThatCannotBeEnteredLeavesTheFolderAsItWas) {
  HostForm& host = Host();
  const DWORD present = GetLogicalDrives();
  char missing = 0;
  for (int i = 25; i >= 3 && !missing; --i) {
    if (!(present & (1u << i))) missing = static_cast<char>('A' + i);
  }
  ASSERT_NE(missing, 0);
  int first = -1;
  const auto entries = host.Drive.Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i][0] == root_[0]) first = static_cast<int>(i);
  }
  host.Events.clear();
  try {
    host.Drive.ChooseDrive(missing);
    ADD_FAILURE() << "no error for drive " << missing;
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.what(), IoErrorText(error.ErrorCode()));
  }
  EXPECT_EQ(host.Drive.Drive(), missing);
  EXPECT_EQ(host.Drive.ItemIndex(), first);  // no entry for it: the selection stays
  EXPECT_EQ(host.Dir.Directory(), root_);
  EXPECT_EQ(CurrentFolder(), root_);
  EXPECT_TRUE(host.Events.empty());
  host.Drive.Pick(first);  // back: the folder list is already there
  EXPECT_EQ(host.Events, (Names{"drive", "drive"}));
  EXPECT_EQ(host.Drive.Drive(), root_[0]);
  EXPECT_EQ(host.Dir.Directory(), root_);
}

TEST_F(BrowserTest, PointerIsPutBackAfterALongReading) {
  for (int i = 0; i < 120; ++i) {
    std::string name = "f";
    name += std::to_string(i);
    MakeFile(Path(name));
  }
  HostForm& host = Host();
  HCURSOR cross = LoadCursorW(nullptr, MAKEINTRESOURCEW(32515));  // IDC_CROSS
  SetCursor(cross);
  host.Files.SetFileMask("f*");
  EXPECT_EQ(host.Files.Count(), 120);
  EXPECT_EQ(GetCursor(), cross);
}

TEST_F(BrowserTest, FilterEntriesAndPicks) {
  MakeFile(Path("a.txt"));
  MakeFile(Path("b.log"));
  HostForm& host = Host();
  host.Events.clear();
  host.Filter.ApplyFilter("Text|*.txt|Log|*.log|Both|*.txt;*.log");
  EXPECT_EQ(host.Filter.Descriptions(), (Names{"Text", "Log", "Both"}));
  EXPECT_EQ(host.Filter.ItemIndex(), 0);
  EXPECT_EQ(host.Files.Mask(), "*.txt");
  EXPECT_EQ(host.Files.Items(), Names{"a.txt"});
  EXPECT_EQ(host.Events, (Names{"read", "filter"}));
  EXPECT_EQ(SendMessageW(host.Filter.Handle(), CB_GETCOUNT, 0, 0), 3);
  RECT bounds{};
  GetWindowRect(host.Filter.Handle(), &bounds);
  EXPECT_EQ(bounds.bottom - bounds.top, 20);

  host.Events.clear();
  host.Filter.ApplyFilter("TEXT|*.TXT|LOG|*.LOG|BOTH|*.TXT;*.LOG");  // same, ignoring case
  EXPECT_TRUE(host.Events.empty());

  host.Filter.Pick(1);
  EXPECT_EQ(host.Events, (Names{"read", "filter", "filter"}));
  EXPECT_EQ(host.Files.Items(), Names{"b.log"});

  // A pick through the control's own notification.
  host.Events.clear();
  SendMessageW(host.Filter.Handle(), CB_SETCURSEL, 2, 0);
  SendMessageW(host.Handle(), WM_COMMAND, MAKEWPARAM(kFilterId, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(host.Filter.Handle()));
  EXPECT_EQ(host.Events, (Names{"read", "filter", "filter"}));
  EXPECT_EQ(host.Files.Items(), (Names{"a.txt", "b.log"}));

  host.Filter.ApplyFilter("A||");  // an entry under which nothing is listed
  EXPECT_EQ(host.Filter.Masks(), Names{""});
  EXPECT_TRUE(host.Files.Items().empty());

  host.Filter.ApplyFilter("no entries");
  EXPECT_EQ(host.Filter.Mask(), "*.*");
  EXPECT_EQ(host.Files.Mask(), "*.*");
}

TEST_F(BrowserTest, FilterMaskWithoutSelectionTakesTheLastEntry) {
  HostForm& host = Host();
  host.Filter.ApplyFilter("A|*.a|B|*.b");
  SendMessageW(host.Filter.Handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(host.Filter.Mask(), "*.b");
  EXPECT_EQ(host.Filter.ItemIndex(), 1);
}

void SetWriteTime(const std::string& path, WORD year, WORD month, WORD day, WORD hour, WORD minute,
                  WORD second) {
  SYSTEMTIME local{year, month, 0, day, hour, minute, second, 0};
  FILETIME localTime, utc;
  SystemTimeToFileTime(&local, &localTime);
  LocalFileTimeToFileTime(&localTime, &utc);
  HANDLE file = CreateFileW(Native(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  SetFileTime(file, nullptr, nullptr, &utc);
  CloseHandle(file);
}

TEST_F(BrowserTest, FileInfoSizeAndTimeStamp) {
  MakeFile(Path("small.bin"), 1023);
  MakeFile(Path("onek.bin"), 1024);
  MakeFile(Path("big.bin"), 5000);
  SetWriteTime(Path("small.bin"), 2004, 5, 6, 7, 8, 11);
  struct Case {
    const char* name;
    const char* size;
  } cases[] = {{"small.bin", "0 KB"}, {"onek.bin", "1 KB"}, {"big.bin", "4 KB"}};
  for (const Case& c : cases) {
    FileInfo info = ReadFileInfo(c.name);
    EXPECT_EQ(info.Name, c.name);
    ASSERT_TRUE(info.SizeText) << c.name;
    EXPECT_EQ(*info.SizeText, c.size);
    EXPECT_TRUE(info.TimeText) << c.name;
  }
  EXPECT_EQ(ReadFileInfo("small.bin").TimeText.value_or(""), "2004/05/06 07:08:10");

  FileInfo missing = ReadFileInfo("missing.bin");
  EXPECT_EQ(missing.Name, "missing.bin");
  EXPECT_FALSE(missing.SizeText);
  EXPECT_FALSE(missing.TimeText);

  // Held open by someone else, sharing it with nobody: size and time stamp
  // still describe it, and the holder keeps it to itself.
  SetWriteTime(Path("big.bin"), 2010, 11, 12, 13, 14, 15);
  HANDLE held = CreateFileW(L"big.bin", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  FileInfo busy = ReadFileInfo("big.bin");
  HANDLE other = CreateFileW(L"big.bin", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(other, INVALID_HANDLE_VALUE);  // the sharing is enforced here
  if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
  CloseHandle(held);
  EXPECT_EQ(busy.SizeText.value_or(""), "4 KB");
  EXPECT_EQ(busy.TimeText.value_or(""), "2010/11/12 13:14:14");

  // Hidden and read-only files are found too.
  MakeFile(Path("secret.bin"), 2048, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(ReadFileInfo("secret.bin").SizeText.value_or(""), "2 KB");
}

// A folder whose name Shift-JIS lacks, holding names that once came out as
// look-alikes or "?", and a folder below it too deep for the system's
// current folder: the lists show each name as it is and follow the way down.
TEST_F(BrowserTest, MixedScriptNamesAndDeepFoldersAreShownAsThemselves) {
  const std::string mixed = Path("한글😀");
  MakeFolder(mixed);
  const Names names{"café.jpg", "cafe.jpg", "naïve.txt", "한글.txt", "😀.txt", "a.txt"};
  for (const std::string& name : names) MakeFile(mixed + "\\" + name);
  std::string deep = mixed;
  for (char letter : {'p', 'q', 'r', 's'}) {
    deep += "\\" + std::string(60, letter);
    MakeFolder(deep);
  }
  ASSERT_GT(deep.size(), static_cast<std::size_t>(MAX_PATH));
  MakeFile(deep + "\\" + std::string(200, 'f') + ".txt", 3000);

  HostForm& host = Host();
  host.Dir.ShowFolder("한글😀");
  EXPECT_EQ(host.Dir.Directory(), mixed);
  EXPECT_EQ(host.Files.Items(), SortedListBoxOrder(names));
  int shown = ShownFolderLine(mixed);
  EXPECT_EQ(host.Dir.DisplayText(shown), "한글😀");

  // Down line by line, each time into the one subfolder.
  for (int step = 0; step < 4; ++step) {
    ASSERT_EQ(host.Dir.Lines().size(), static_cast<std::size_t>(shown) + 2) << step;
    host.Dir.OpenLine(shown + 1);
    shown = host.Dir.ItemIndex();
  }
  EXPECT_EQ(host.Dir.Directory(), deep);
  EXPECT_EQ(host.Dir.Lines()[static_cast<std::size_t>(shown)].Text, std::string(60, 's'));
  EXPECT_EQ(host.Dir.Lines()[static_cast<std::size_t>(shown)].Glyph, FolderGlyph::Current);
  const std::string deepName = std::string(200, 'f') + ".txt";
  EXPECT_EQ(host.Files.Items(), Names{deepName});
  EXPECT_EQ(ReadFileInfo(deepName).SizeText.value_or(""), "2 KB");

  host.Dir.ShowParentFolder();
  EXPECT_EQ(host.Dir.Directory(), deep.substr(0, deep.rfind('\\')));
  host.Dir.ShowFolder(mixed);
  EXPECT_EQ(host.Files.Items(), SortedListBoxOrder(names));
}

TEST(FileInfoFormat, DosTimeStampWithTheLocaleSeparators) {
  // 2107/12/31 23:59:58: the last DOS time.
  const unsigned short lastDate = static_cast<unsigned short>((127 << 9) | (12 << 5) | 31);
  const unsigned short lastTime = static_cast<unsigned short>((23 << 11) | (59 << 5) | 29);
  EXPECT_EQ(FormatDosTimeStamp(lastDate, lastTime, "/", ":"), "2107/12/31 23:59:58");
  const unsigned short firstDate = static_cast<unsigned short>((0 << 9) | (1 << 5) | 1);
  EXPECT_EQ(FormatDosTimeStamp(firstDate, 0, "-", "."), "1980-01-01 00.00.00");
  EXPECT_EQ(FileSizeText(0), "0 KB");
  EXPECT_EQ(FileSizeText(5ull << 31), "10485760 KB");  // 10 GiB: no 32-bit overflow
}

}  // namespace
}  // namespace korvath
