#include "Win32FileSystem.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "../../core/TestDoubles.h"
#include "FileInfo.h"
#include "PreviewRows.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "TestFiles.h"
#include "WideText.h"
#include "Win32Folders.h"
#include "WorkingFolder.h"

namespace korvath {
namespace {

using testing::FakeFields;
using testing::RecordingObserver;
using testsupport::MakeScratchFolder;
using testsupport::RemoveTree;

// Each test runs in a fresh folder under the temporary folder, made the
// working folder as the browser does before a rename run. The fixture's own
// file calls go by full paths in the "\\?\" form, so they reach any depth
// without the code under test.
class Win32Folder : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = testsupport::CurrentFolder();
    observer.folder = this;
    folder_ = MakeScratchFolder("korvath_fs_");
    Enter(folder_);
  }
  void TearDown() override {
    SetWorkingFolder(previous_);
    RemoveTree(folder_);
  }

  void Enter(const std::string& folder) {
    here_ = folder;
    ASSERT_TRUE(SetWorkingFolder(folder)) << folder;
  }
  std::wstring Full(const std::string& name) const {
    return L"\\\\?\\" + Widen(here_ + "\\" + name);
  }

  // Names of the files (not folders) in the working folder, sorted by bytes.
  std::vector<std::string> ListFiles(const std::string& pattern = "*") const {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(Full(pattern).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        names.push_back(Narrow(data.cFileName));
      }
    } while (FindNextFileW(search, &data));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }

  // Each file holds its first name, so a lost or overwritten file shows;
  // padding makes its size differ from its neighbours'.
  void MakeFile(const std::string& name, std::size_t padding = 0) const {
    ASSERT_TRUE(testsupport::MakeFile(Narrow(Full(name)), name + std::string(padding, '.')))
        << name;
  }
  void MakeFolder(const std::string& name) const {
    ASSERT_TRUE(CreateDirectoryW(Full(name).c_str(), nullptr)) << name;
  }
  // The first name written into the file (padding aside).
  std::optional<std::string> Content(const std::string& name) const {
    HANDLE file = CreateFileW(Full(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string buffer(1024, '\0');
    DWORD read = 0;
    ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr);
    CloseHandle(file);
    buffer.resize(read);
    return buffer.substr(0, buffer.find_last_not_of('.') + 1);
  }
  DWORD Attributes(const std::string& name) const { return GetFileAttributesW(Full(name).c_str()); }
  bool IsFolder(const std::string& name) const {
    const DWORD attributes = Attributes(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  // Sets the file's last-write time to this local time.
  void SetLocalWriteTime(const std::string& name, const SYSTEMTIME& local) const {
    HANDLE file = CreateFileW(Full(name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
    FILETIME localTime, time;
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &time);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);
  }

  // Lists the given files in the check list (checked) and runs the rename.
  RenameRunResult Run(const std::vector<std::string>& checked) {
    for (const std::string& name : checked) session.Files.push_back({name, true});
    session.RefreshPreview(preview);
    return RunRename(session, preview, fileSystem, observer);
  }

  FakeFields fields;
  RenameSession session{fields};
  PreviewRows preview;
  Win32FileSystem fileSystem;

  // The window's observer in miniature: real beep, real re-read.
  class Observer : public RecordingObserver {
   public:
    void Beep() override {
      RecordingObserver::Beep();
      DefaultBeep();
    }
    std::vector<std::string> RereadFiles() override {
      RecordingObserver::RereadFiles();
      return folder->ListFiles();
    }
    const Win32Folder* folder = nullptr;
  } observer;

  std::string previous_;
  std::string folder_;
  std::string here_;  // the working folder the fixture's calls go to
};

TEST_F(Win32Folder, ExistenceIsTheExactNameNeverAPattern) {
  MakeFile("a.txt");
  MakeFile("表ソ.txt");
  MakeFolder("sub");
  const std::pair<std::string, bool> cases[] = {
      {"a.txt", true},    {"A.TXT", true},  {"表ソ.txt", true}, {"表.txt", false}, {"sub", false},
      {"missing", false}, {"*.txt", false}, {"?.txt", false},   {"a.tx?", false},  {"", false},
  };
  for (const auto& [name, expected] : cases) {
    EXPECT_EQ(fileSystem.Exists(name), expected) << name;
  }
}

TEST_F(Win32Folder, FileWithoutADosTimeStampCountsAsAbsent) {
  MakeFile("old.txt");
  SYSTEMTIME local = {};
  local.wYear = 1975;
  local.wMonth = 6;
  local.wDay = 1;
  local.wHour = 12;
  SetLocalWriteTime("old.txt", local);
  EXPECT_FALSE(fileSystem.Exists("old.txt"));
  // The rename itself still refuses to replace it.
  MakeFile("new.txt");
  EXPECT_FALSE(fileSystem.Rename("new.txt", "old.txt"));
  EXPECT_EQ(Content("old.txt"), "old.txt");
  EXPECT_EQ(Content("new.txt"), "new.txt");
}

TEST_F(Win32Folder, RenameNeverReplaces) {
  MakeFile("a.txt");
  MakeFile("b.txt");
  MakeFolder("sub");
  EXPECT_FALSE(fileSystem.Rename("a.txt", "b.txt"));
  EXPECT_FALSE(fileSystem.Rename("a.txt", "B.TXT"));
  EXPECT_FALSE(fileSystem.Rename("a.txt", "sub"));
  EXPECT_FALSE(fileSystem.Rename("a.txt", "x*y.txt"));
  EXPECT_FALSE(fileSystem.Rename("gone.txt", "c.txt"));
  EXPECT_EQ(Content("a.txt"), "a.txt");
  EXPECT_EQ(Content("b.txt"), "b.txt");
  EXPECT_TRUE(fileSystem.Rename("a.txt", "c.txt"));
  EXPECT_EQ(Content("c.txt"), "a.txt");
}

// A held file is renamed as itself: never over a taken name, never a
// folder, and never the file another program put under its name after it
// was opened (Wine renames a handle by its name, Windows moves the file
// held: either way the newcomer stays where it is).
TEST_F(Win32Folder, HeldFileIsRenamedAsItselfNeverTheFileNowUnderItsName) {
  MakeFile("a.txt");
  MakeFile("b.txt");
  MakeFolder("sub");
  EXPECT_EQ(fileSystem.Hold("sub"), nullptr);
  EXPECT_EQ(fileSystem.Hold("gone.txt"), nullptr);
  EXPECT_FALSE(fileSystem.LastFailureReason().empty());
  std::unique_ptr<HeldFile> a = fileSystem.Hold("a.txt");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->Identity(), fileSystem.FileIdentity("a.txt"));
  EXPECT_EQ(a->RenameTo("b.txt"), HeldFile::Renamed::No);
  EXPECT_EQ(a->RenameTo("sub"), HeldFile::Renamed::No);
  EXPECT_EQ(Content("b.txt"), "b.txt");
  ASSERT_EQ(a->RenameTo("c.txt"), HeldFile::Renamed::Yes);
  a.reset();
  EXPECT_EQ(Content("c.txt"), "a.txt");
  EXPECT_EQ(Attributes("a.txt"), INVALID_FILE_ATTRIBUTES);

  // A sync client puts its own p3.jpg in place between the check and the move.
  MakeFile("p3.jpg");
  std::unique_ptr<HeldFile> p3 = fileSystem.Hold("p3.jpg");
  ASSERT_NE(p3, nullptr);
  const std::string checked = p3->Identity();
  ASSERT_TRUE(MoveFileExW(Full("p3.jpg").c_str(), Full("p3.jpg.old").c_str(), 0));
  MakeFile("p3.jpg", 9);
  const std::string newcomer = fileSystem.FileIdentity("p3.jpg");
  ASSERT_NE(newcomer, checked);
  const HeldFile::Renamed renamed = p3->RenameTo("x3.jpg");
  EXPECT_NE(renamed, HeldFile::Renamed::Unsure);
  EXPECT_EQ(fileSystem.FileIdentity("p3.jpg"), newcomer) << "the newcomer was moved";
  if (renamed == HeldFile::Renamed::Yes) {
    EXPECT_EQ(fileSystem.FileIdentity("x3.jpg"), checked);
  } else {
    EXPECT_EQ(Attributes("x3.jpg"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(fileSystem.FileIdentity("p3.jpg.old"), checked);
  }
}

// The identity follows a file through its renames and tells it from the
// file given its name after it; a journal or settings file past the limit
// is not read at all.
TEST_F(Win32Folder, IdentityFollowsAFileAndOversizedFilesAreNotRead) {
  MakeFile("a.txt");
  MakeFile("b.txt", 5);
  const std::string a = fileSystem.FileIdentity("a.txt");
  const std::string b = fileSystem.FileIdentity("b.txt");
  RecordProperty("identity", a);
  ASSERT_FALSE(a.empty());
  EXPECT_NE(a, b);
  ASSERT_TRUE(fileSystem.Rename("a.txt", "c.txt"));
  EXPECT_EQ(fileSystem.FileIdentity("c.txt"), a);
  ASSERT_TRUE(fileSystem.Rename("b.txt", "a.txt"));
  EXPECT_EQ(fileSystem.FileIdentity("a.txt"), b);
  EXPECT_EQ(fileSystem.FileIdentity("gone.txt"), "");

}

// A held journal: no second holder gets it (in this process as in another:
// the sharing is the same), a look at it still reads it, it is hidden,
// read whole up to the limit, emptied and written again, and gone once let
// go after Remove. A folder that is a link is told from one that is not.
TEST_F(Win32Folder, AJournalIsHeldAgainstEveryOtherHolderAndRemovedWhenLetGo) {
  using Hold = FileSystem::JournalHold;
  const std::string path = folder_ + "\\KVTrun.log";
  Hold how = Hold::Held;
  EXPECT_EQ(fileSystem.HoldJournal(path, false, how), nullptr);
  EXPECT_EQ(how, Hold::Missing);
  std::unique_ptr<HeldJournal> held = fileSystem.HoldJournal(path, true, how);
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(how, Hold::Held);
  EXPECT_NE(GetFileAttributesW(Full("KVTrun.log").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  ASSERT_TRUE(held->Append("KVTJ1\trun\tC:\\x\n"));
  ASSERT_TRUE(held->Append("S\ta\tb\n"));
  Win32FileSystem other;
  EXPECT_EQ(other.HoldJournal(path, true, how), nullptr);
  EXPECT_EQ(how, Hold::Busy);
  std::string text;
  ASSERT_TRUE(other.PeekFile(path, 6, text));
  EXPECT_EQ(text, "KVTJ1\t");
  ASSERT_TRUE(held->Read(text));
  EXPECT_EQ(text, "KVTJ1\trun\tC:\\x\nS\ta\tb\n");
  ASSERT_TRUE(held->Clear());
  ASSERT_TRUE(held->Append("E\n"));
  ASSERT_TRUE(held->Read(text));
  EXPECT_EQ(text, "E\n");
  const std::string stamp = fileSystem.FileStamp(path);
  EXPECT_FALSE(stamp.empty());
  ASSERT_TRUE(held->Remove());
  held.reset();
  EXPECT_FALSE(fileSystem.EntryExists(path));
  EXPECT_EQ(fileSystem.FileStamp(path), "");

  // Past the limit a journal is not read at all.
  HANDLE big = CreateFileW(Full("big.log").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(big, INVALID_HANDLE_VALUE);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(kLargestWholeFile + 1);
  ASSERT_TRUE(SetFilePointerEx(big, end, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(big));
  CloseHandle(big);
  held = fileSystem.HoldJournal(folder_ + "\\big.log", false, how);
  ASSERT_NE(held, nullptr);
  EXPECT_FALSE(held->Read(text));
  held.reset();

  ASSERT_TRUE(CreateDirectoryW(Full("plain").c_str(), nullptr));
  EXPECT_FALSE(fileSystem.IsLinkFolder(folder_ + "\\plain"));
  EXPECT_FALSE(fileSystem.IsLinkFolder(folder_ + "\\c.txt"));
}

TEST_F(Win32Folder, ShiftJisNamesAreRenamedWhole) {
  // 表 and ソ end in 0x5C; a byte scan would cut the names there.
  for (const char* name : {"表.txt", "ソ", "表ソ.dat"}) MakeFile(name);
  fields.Prefix = "ソ表_";
  session.DigitCount = 2;
  const RenameRunResult result = Run({"表.txt", "ソ", "表ソ.dat"});
  EXPECT_EQ(result.CompletedCount, 3);
  EXPECT_EQ(Content("ソ表_01.txt"), "表.txt");
  EXPECT_EQ(Content("ソ表_02"), "ソ");
  EXPECT_EQ(Content("ソ表_03.dat"), "表ソ.dat");
  EXPECT_EQ(session.Files.size(), 3u);
  EXPECT_EQ(observer.Counts.back(), "3個完了");
}

TEST_F(Win32Folder, NameOfAnotherFileInOtherLetterCaseCollidesTheFilesOwnIsARename) {
  MakeFile("a.txt");
  MakeFile("N1.TXT");
  MakeFile("X2.TXT");
  fields.Prefix = "n";
  fields.Extension = ".txt";
  RenameRunResult result = Run({"a.txt"});
  EXPECT_EQ(observer.Warnings, std::vector<std::string>{"n1.txt"});
  EXPECT_EQ(result.CompletedCount, 0);
  EXPECT_EQ(Content("a.txt"), "a.txt");
  EXPECT_EQ(Content("N1.TXT"), "N1.TXT");

  // A file offered its own name in another case takes it: the system
  // renames a file onto its own name in place.
  session.Files.clear();
  session.StartNumber = 2;
  fields.Prefix = "x";
  result = Run({"X2.TXT"});
  EXPECT_EQ(result.Collisions, 0);
  EXPECT_EQ(result.CompletedCount, 1);
  EXPECT_EQ(ListFiles("x2.txt"), std::vector<std::string>{"x2.txt"});
  EXPECT_EQ(Content("x2.txt"), "X2.TXT");
}

TEST_F(Win32Folder, FolderHoldingTheNewNameIsReportedWithTheSystemsReason) {
  MakeFile("a.txt");
  MakeFolder("n1.txt");
  fields.Prefix = "n";
  fields.Extension = ".txt";
  const RenameRunResult result = Run({"a.txt"});
  EXPECT_TRUE(observer.Warnings.empty());
  EXPECT_EQ(result.Failures, 1);
  EXPECT_EQ(Content("a.txt"), "a.txt");
  EXPECT_TRUE(IsFolder("n1.txt"));
  EXPECT_EQ(session.StartNumber, 2);
  ASSERT_EQ(observer.Boxes.size(), 1u);
  const std::string head = "1個のファイルは、名前を変更できませんでした。\n\na.txt → n1.txt：";
  ASSERT_EQ(observer.Boxes[0].rfind(head, 0), 0u) << observer.Boxes[0];
  // The system's own text, without its line break.
  const std::string reason = observer.Boxes[0].substr(head.size());
  EXPECT_GT(reason.size(), 3u);
  EXPECT_EQ(reason.find_first_of("\r\n"), std::string::npos) << reason;
  EXPECT_EQ(reason.rfind("エラー ", 0), std::string::npos) << reason;
}

TEST_F(Win32Folder, WildcardsInThePrefixAreRefusedBeforeTheRun) {
  MakeFile("a.txt");
  MakeFile("z1.dat");
  fields.Prefix = "*";
  fields.Extension = ".dat";
  // "*1.dat" would once match z1.dat and be called taken.
  RenameRunResult result = Run({"a.txt"});
  EXPECT_TRUE(result.Refused);
  EXPECT_EQ(observer.Boxes, std::vector<std::string>{BadCharactersText("*")});
  EXPECT_TRUE(observer.Warnings.empty());
  EXPECT_EQ(ListFiles(), (std::vector<std::string>{"a.txt", "z1.dat"}));
}

TEST_F(Win32Folder, PrefixNamingASubfolderMovesTheFilesThere) {
  MakeFile("a.txt");
  MakeFile("b.txt");
  MakeFolder("sub");
  fields.Prefix = "nosub\\";
  RenameRunResult result = Run({"a.txt", "b.txt"});
  EXPECT_EQ(result.Failures, 2);
  EXPECT_EQ(observer.Boxes.size(), 1u);
  EXPECT_EQ(ListFiles(), (std::vector<std::string>{"a.txt", "b.txt"}));

  session.Files.clear();
  session.StartNumber = 1;
  fields.Prefix = "sub\\";
  result = Run({"a.txt", "b.txt"});
  EXPECT_EQ(result.CompletedCount, 2);
  EXPECT_EQ(Content("sub\\1.txt"), "a.txt");
  EXPECT_EQ(Content("sub\\2.txt"), "b.txt");
  EXPECT_TRUE(session.Files.empty());
}

TEST_F(Win32Folder, ReadOnlyFileIsRenamedWithItsContent) {
  MakeFile("a.txt");
  ASSERT_TRUE(SetFileAttributesW(Full("a.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  fields.Prefix = "r";
  const RenameRunResult result = Run({"a.txt"});
  EXPECT_EQ(result.CompletedCount, 1);
  EXPECT_EQ(Content("r1.txt"), "a.txt");
  EXPECT_NE(Attributes("r1.txt") & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(Win32Folder, StartNumberAtTheLimitWithAChosenExtension) {
  for (const char* name : {"a.txt", "b.txt", "c.dat"}) MakeFile(name);
  session.StartNumber = RenameSession::MaxStartNumber;
  fields.Extension = ".x";
  const RenameRunResult result = Run({"a.txt", "b.txt", "c.dat"});
  EXPECT_EQ(result.CompletedCount, 1);
  EXPECT_EQ(observer.Warnings, (std::vector<std::string>{"2000000000.x", "2000000000.x"}));
  EXPECT_EQ(ListFiles(), (std::vector<std::string>{"2000000000.x", "b.txt", "c.dat"}));
  EXPECT_EQ(session.StartNumber, RenameSession::MaxStartNumber);
}

TEST_F(Win32Folder, StartNumberAtTheLimitKeepingExtensions) {
  for (const char* name : {"a.txt", "b.txt", "c.dat"}) MakeFile(name);
  session.StartNumber = RenameSession::MaxStartNumber;
  const RenameRunResult result = Run({"a.txt", "b.txt", "c.dat"});
  EXPECT_EQ(result.CompletedCount, 2);
  EXPECT_EQ(observer.Warnings, std::vector<std::string>{"2000000000.txt"});
  EXPECT_EQ(Content("2000000000.txt"), "a.txt");
  EXPECT_EQ(Content("2000000000.dat"), "c.dat");
  EXPECT_EQ(Content("b.txt"), "b.txt");
}

// Names the ANSI functions once showed as look-alikes or "?", in a folder
// too deep for the system's current folder, beside a 250-character name
// whose full path passes MAX_PATH: each is listed, tested, described and
// renamed as itself.
TEST_F(Win32Folder, AnyNameInADeepFolderIsListedDescribedAndRenamedAsItself) {
  std::string deep = folder_;
  for (const char* part : {"深い", "フォルダ", "폴더", "😀"}) {
    deep += "\\" + std::string(part) + std::string(56, 'd');
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + Widen(deep)).c_str(), nullptr));
  }
  ASSERT_GE(deep.size() - folder_.size(), 200u);
  Enter(deep);
  EXPECT_EQ(WorkingFolder(), deep);
  // The system keeps an ancestor that fits; the program keeps the rest.
  EXPECT_LT(testsupport::CurrentFolder().size(), MAX_PATH - 1u);

  // 250 UTF-16 units; under Wine also no more than a Linux name's 255 bytes.
  const std::string longName = std::string(122, 'n') + "長" + std::string(123, 'n') + ".txt";
  ASSERT_EQ(Utf8ToUtf16(longName).size(), 250u);
  const std::vector<std::string> names = {"café.jpg", "cafe.jpg", "naïve.txt", "한글.txt",
                                          "😀.txt",    "a.txt",    longName};
  for (std::size_t i = 0; i < names.size(); ++i) {
    MakeFile(names[i], 1024 * (i + 1));
    SYSTEMTIME local = {};
    local.wYear = 2001;
    local.wMonth = 2;
    local.wDay = static_cast<WORD>(i + 1);
    local.wHour = 10;
    local.wMinute = 20;
    local.wSecond = 30;
    SetLocalWriteTime(names[i], local);
  }

  std::vector<std::string> listed;
  ASSERT_TRUE(fileSystem.ListNames("", listed));
  std::sort(listed.begin(), listed.end());
  std::vector<std::string> expected = names;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listed, expected);

  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_TRUE(fileSystem.Exists(names[i])) << names[i];
    EXPECT_TRUE(fileSystem.EntryExists(names[i])) << names[i];
    const FileInfo info = ReadFileInfo(names[i]);
    EXPECT_EQ(info.SizeText, std::to_string(i + 1) + " KB") << names[i];
    EXPECT_EQ(info.TimeText, "2001/02/0" + std::to_string(i + 1) + " 10:20:30") << names[i];
  }
  for (const char* lookAlike : {"cafè.jpg", "naive.txt", "한.txt", "😁.txt"}) {
    EXPECT_FALSE(fileSystem.EntryExists(lookAlike)) << lookAlike;
  }

  fields.Prefix = "x";
  const RenameRunResult result = Run(names);
  EXPECT_EQ(result.CompletedCount, static_cast<int>(names.size()));
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string extension = names[i].substr(names[i].rfind('.'));
    EXPECT_EQ(Content("x" + std::to_string(i + 1) + extension), names[i]);
  }
  EXPECT_EQ(ListFiles().size(), names.size());

  // A name longer than a folder entry may be is refused, not cut.
  const std::string tooLong = std::string(300, 'z') + ".txt";
  EXPECT_FALSE(fileSystem.Rename("x6.txt", tooLong));
  EXPECT_EQ(Content("x6.txt"), "a.txt");

  // A refusal comes with the system's Japanese text, as UTF-8.
  EXPECT_FALSE(fileSystem.Rename("한글.txt", "x.txt"));
  const std::string reason = fileSystem.LastFailureReason();
  EXPECT_EQ(Narrow(Widen(reason)), reason);
  EXPECT_TRUE(std::any_of(reason.begin(), reason.end(), [](char c) {
    return static_cast<unsigned char>(c) >= 0xE3;
  })) << reason;
}

TEST(SystemPaths, LongPathsTakeTheExtendedFormAndShortOnesStayAsTheyAre) {
  const std::string deep = std::string(150, 'd') + "\\" + std::string(150, 'e');
  const std::pair<std::string, std::wstring> cases[] = {
      {"a.txt", L"a.txt"},
      {"sub/a.txt", L"sub\\a.txt"},
      {"C:\\x\\a.txt", L"C:\\x\\a.txt"},
      {"C:\\" + deep, L"\\\\?\\C:\\" + Widen(deep)},
      {"C:/x/../" + deep, L"\\\\?\\C:\\" + Widen(deep)},
      {"\\\\server\\share\\" + deep, L"\\\\?\\UNC\\server\\share\\" + Widen(deep)},
      {"\\\\?\\C:\\x", L"\\\\?\\C:\\x"},
  };
  for (const auto& [path, expected] : cases) {
    EXPECT_EQ(SystemPath(path), expected) << path;
  }
}

TEST(ShiftJisJournal, ConvertsEarlierVersionsBytesAndRefusesOthers) {
  Win32FileSystem fileSystem;
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"", ""},
      {"a.txt", "a.txt"},
      {"\x95\x5C\x83\x5C.txt", "表ソ.txt"},
      {"\x87\x40\x81\x60", "①～"},
      {"\xB6\xC5", "ｶﾅ"},
      {"\x81", std::nullopt},      // a lead byte without its second
      {"\x85\x40", std::nullopt},  // a gap in the table
  };
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(fileSystem.ShiftJisToUtf8(bytes), text) << bytes;
  }
}

}  // namespace
}  // namespace korvath
