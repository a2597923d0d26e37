#include "Win32FileSystem.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "../../core/TestDoubles.h"
#include "../../support/Win32Folders.h"
#include "PreviewRows.h"
#include "RenameSession.h"
#include "RenameTexts.h"

namespace korvath {
namespace {

using testing::FakeFields;
using testing::RecordingObserver;
using testsupport::MakeScratchFolder;
using testsupport::RemoveTree;

// Names of the files (not folders) in the current folder.
std::vector<std::string> ListFiles(const std::string& pattern = "*") {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(pattern.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(data.cFileName);
  } while (FindNextFileA(search, &data));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}


// Each test runs in a fresh folder under the temporary folder, made the
// current folder as the browser does before a rename run.
class Win32Folder : public ::testing::Test {
 protected:
  void SetUp() override {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    previous_ = previous;
    folder_ = MakeScratchFolder("korvath_fs_");
    ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
  }
  void TearDown() override {
    SetCurrentDirectoryA(previous_.c_str());
    RemoveTree(folder_);
  }

  // Each file holds its first name, so a lost or overwritten file shows.
  static void MakeFile(const std::string& name) {
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
    DWORD written = 0;
    WriteFile(file, name.data(), static_cast<DWORD>(name.size()), &written, nullptr);
    CloseHandle(file);
  }
  static void MakeFolder(const std::string& name) {
    ASSERT_TRUE(CreateDirectoryA(name.c_str(), nullptr)) << name;
  }
  static std::optional<std::string> Content(const std::string& name) {
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    char buffer[512];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
  }
  static bool IsFolder(const std::string& name) {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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
      return ListFiles();
    }
  } observer;

 private:
  std::string previous_;
  std::string folder_;
};

TEST_F(Win32Folder, ExistenceIsTheExactNameNeverAPattern) {
  MakeFile("a.txt");
  MakeFile("表ソ.txt");
  MakeFolder("sub");
  const std::pair<std::string, bool> cases[] = {
      {"a.txt", true},    {"A.TXT", true}, {"表ソ.txt", true}, {"表.txt", false}, {"sub", false},
      {"missing", false}, {"*.txt", false}, {"?.txt", false},  {"a.tx?", false},  {"", false},
  };
  for (const auto& [name, expected] : cases) {
    EXPECT_EQ(fileSystem.Exists(name), expected) << name;
  }
}

TEST_F(Win32Folder, FileWithoutADosTimeStampCountsAsAbsent) {
  MakeFile("old.txt");
  HANDLE file = CreateFileA("old.txt", FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  SYSTEMTIME system = {};
  system.wYear = 1975;
  system.wMonth = 6;
  system.wDay = 1;
  system.wHour = 12;
  FILETIME time;
  SystemTimeToFileTime(&system, &time);
  ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
  CloseHandle(file);
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

TEST_F(Win32Folder, NameDifferingOnlyInLetterCaseIsACollision) {
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

  // A file offered its own name in another case collides with itself.
  session.Files.clear();
  session.StartNumber = 2;
  fields.Prefix = "x";
  result = Run({"X2.TXT"});
  EXPECT_EQ(result.Collisions, 1);
  EXPECT_EQ(ListFiles("x2.txt"), std::vector<std::string>{"X2.TXT"});
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
  ASSERT_TRUE(SetFileAttributesA("a.txt", FILE_ATTRIBUTE_READONLY));
  fields.Prefix = "r";
  const RenameRunResult result = Run({"a.txt"});
  EXPECT_EQ(result.CompletedCount, 1);
  EXPECT_EQ(Content("r1.txt"), "a.txt");
  EXPECT_NE(GetFileAttributesA("r1.txt") & FILE_ATTRIBUTE_READONLY, 0u);
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

}  // namespace
}  // namespace korvath
