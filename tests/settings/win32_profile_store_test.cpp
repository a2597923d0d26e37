// The settings file on disk through the private-profile API: what a save
// leaves in the file, how odd files read back, and what an unwritable path
// does.

#include "Win32ProfileStore.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "FileTypeFilter.h"
#include "RenameRun.h"
#include "SettingsFile.h"
#include "SettingsKeys.h"
#include "WideText.h"

namespace korvath {
namespace {

class SettingsFolder : public ::testing::Test {
 protected:
  void SetUp() override { UseFolder("kvt-profile-"); }
  void TearDown() override {
    Forget();
    DeleteFileW(Widen(path_).c_str());
    RemoveDirectoryW(Widen(folder_ + "\\sub").c_str());
    RemoveDirectoryW(Widen(folder_).c_str());
  }

  // A fresh folder under the temporary folder whose name starts with tag.
  void UseFolder(const std::string& tag) {
    wchar_t temp[MAX_PATH + 1];
    ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
    folder_ = Narrow(temp) + tag + std::to_string(GetCurrentProcessId()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryW(Widen(folder_).c_str(), nullptr);
    path_ = ComposeSettingsPath(folder_);
  }
  // Flushes the API's cache of the file, before it is read or removed.
  void Forget() const {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, Widen(path_).c_str());
  }

  void WriteRaw(const std::string& bytes) {
    Forget();
    HANDLE file = CreateFileW(Widen(path_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  std::string ReadRaw() const {
    Forget();
    std::string bytes;
    HANDLE file = CreateFileW(Widen(path_).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
      bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
  }
  // The file's non-empty lines read as Shift-JIS, as UTF-8, without line ends.
  std::vector<std::string> Lines() const {
    const std::string bytes = ReadRaw();
    std::wstring wide(bytes.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    std::vector<std::string> lines;
    std::istringstream in(Narrow(wide));
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) lines.push_back(line);
    }
    return lines;
  }

  std::string folder_;
  std::string path_;
};

TEST_F(SettingsFolder, AFirstSaveWritesEveryKeyInOrderInShiftJis) {
  FolderHistory dirs;
  dirs[0] = folder_ + "\\表ソ";  // second bytes 0x5C
  TextHistory prefixes, suffixes;
  prefixes[0] = "写真";
  std::vector<std::string> masks = {""};  // the one empty row of a first start
  Win32ProfileStore store(path_);
  ASSERT_TRUE(SaveWholeSettings(store, {{198, 95}, dirs, prefixes, suffixes, masks}));

  std::vector<std::string> expected = {"[Form]", "Left=198", "Top=95", "[SetUp]"};
  for (int i = 0; i < 7; ++i) expected.push_back("DirHst" + std::to_string(i) + "=" + dirs[i]);
  for (int i = 0; i < 33; ++i) expected.push_back("TopHst" + std::to_string(i) + "=" + prefixes[i]);
  for (int i = 0; i < 33; ++i) expected.push_back("BtmHst" + std::to_string(i) + "=");
  expected.insert(expected.end(), {"[Option]", "FileCount=0", "File0="});
  EXPECT_EQ(Lines(), expected);
  // Shift-JIS bytes on disk: 写真 is 8E CA 90 5E.
  EXPECT_NE(ReadRaw().find("TopHst0=\x8E\xCA\x90\x5E\r\n"), std::string::npos);

  // And they read back as written.
  Win32ProfileStore again(path_);
  EXPECT_EQ(ReadFolderHistory(again)[0], dirs[0]);
  EXPECT_EQ(ReadPrefixHistory(again)[0], "写真");
  EXPECT_EQ(LoadUserMasks(again), masks);
}

TEST_F(SettingsFolder, StoredPositionsReadAsTheWindowUsesThem) {
  struct Case {
    const char* left;
    const char* top;
    int expectedLeft, expectedTop;
  };
  const Case cases[] = {{"-40", "0x20", 0, 32}, {"0", "$20", 0, 32}, {"1", "abc", 1, 95}};
  for (const Case& c : cases) {
    WriteRaw(std::string("[Form]\r\nLeft=") + c.left + "\r\nTop=" + c.top + "\r\n");
    Win32ProfileStore store(path_);
    WindowPosition p = ReadWindowPosition(store);
    EXPECT_EQ(p.Left, c.expectedLeft) << c.left;
    EXPECT_EQ(p.Top, c.expectedTop) << c.top;
    Forget();
    DeleteFileW(Widen(path_).c_str());
  }
}

TEST_F(SettingsFolder, ShrinkingTheMaskListKeepsTheOldKeys) {
  WriteRaw("[Option]\r\nFileCount=1\r\nFile0=*.a\r\nFile1=*.b\r\n");
  Win32ProfileStore store(path_);
  FolderHistory dirs;
  TextHistory texts;
  std::vector<std::string> none;
  ASSERT_TRUE(SaveWholeSettings(store, {{5, 6}, dirs, texts, texts, none}));
  EXPECT_EQ(store.ReadString("Option", "FileCount"), "-1");
  EXPECT_EQ(store.ReadString("Option", "File0"), "*.a");
  EXPECT_EQ(store.ReadString("Option", "File1"), "*.b");
  EXPECT_TRUE(LoadUserMasks(store).empty());
  std::string filter = BuildStartupFilter(store);
  EXPECT_EQ(filter.substr(filter.size() - 6), "|*.avi");
}

// The masks are read and written a section at a time; what they read and
// leave in the file is what key-by-key access would.
TEST_F(SettingsFolder, TheMaskSectionReadsAndWritesAsKeyByKey) {
  WriteRaw(
      "[Option]\r\nFileCount=4\r\nfile0 = \"*.q\" \r\nFile1='*.s'\r\nFile2=\"*.a\r\n"
      "File1=dup\r\nOther=keep\r\nFile4=*.\x95\x5C\r\nFile9=*.old\r\n[Next]\r\nK=v\r\n");
  Win32ProfileStore store(path_);
  std::vector<std::string> byKey;
  for (int n = 0; n <= 4; ++n) byKey.push_back(store.ReadString("Option", UserMaskKey(n)));
  EXPECT_EQ(byKey, (std::vector<std::string>{"*.q", "*.s", "\"*.a", "", "*.表"}));
  EXPECT_EQ(LoadUserMasks(store), byKey);

  FolderHistory dirs;
  TextHistory texts;
  std::vector<std::string> masks = {"*.n0", "*.n1", "*.n2", "*.n3", "*.n4", "*.n5"};
  ASSERT_TRUE(SaveWholeSettings(store, {{1, 2}, dirs, texts, texts, masks}));
  std::vector<std::string> lines = Lines();
  auto option = std::find(lines.begin(), lines.end(), "[Option]");
  ASSERT_NE(option, lines.end());
  // Existing keys rewritten in place (the first of two), others kept, new
  // keys at the section's end, the next section untouched.
  std::vector<std::string> section(option, option + 13);
  EXPECT_EQ(section,
            (std::vector<std::string>{"[Option]", "FileCount=5", "file0=*.n0", "File1=*.n1",
                                      "File2=*.n2", "File1=dup", "Other=keep", "File4=*.n4",
                                      "File9=*.old", "File3=*.n3", "File5=*.n5", "[Next]", "K=v"}));
  EXPECT_EQ(LoadUserMasks(store), masks);

  // The same save again leaves the file untouched; a changed value does not.
  auto lastWrite = [this] {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(Widen(path_).c_str(), GetFileExInfoStandard, &data);
    return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
  };
  unsigned long long written = lastWrite();
  Sleep(50);
  ASSERT_TRUE(SaveWholeSettings(store, {{1, 2}, dirs, texts, texts, masks}));
  EXPECT_EQ(lastWrite(), written);
  masks[0] = "*.changed";
  ASSERT_TRUE(SaveWholeSettings(store, {{1, 2}, dirs, texts, texts, masks}));
  EXPECT_NE(lastWrite(), written);
  EXPECT_EQ(store.ReadString("Option", "file0"), "*.changed");
}

TEST_F(SettingsFolder, AnUnwritablePathFailsAtTheFirstKeyAndLosesNothing) {
  // Wine run as root ignores read-only folders, so the paths here cannot be
  // written at all: a folder that does not exist, and a folder in place of
  // the file.
  CreateDirectoryW(Widen(folder_ + "\\sub").c_str(), nullptr);
  const std::string paths[] = {folder_ + "\\missing\\KVTset.ini", folder_ + "\\sub"};
  FolderHistory dirs;
  TextHistory texts;
  std::vector<std::string> masks = {"*.a"};
  for (const std::string& path : paths) {
    Win32ProfileStore store(path);
    SaveResult result = SaveWholeSettings(store, {{1, 2}, dirs, texts, texts, masks});
    EXPECT_FALSE(result) << path;
    EXPECT_EQ(result.FailedSection, "Form") << path;
    EXPECT_EQ(result.FailedKey, "Left") << path;
  }
  EXPECT_EQ(GetFileAttributesW(Widen(folder_ + "\\missing").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesW(Widen(folder_ + "\\sub").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(SettingsFolder, BadFilesReadAsDefaults) {
  const std::string longValue(5000, 'v');
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"truncated", "[Form]\r\nLeft=12"},
      {"garbage", std::string("\x00\xff\xfe[Fo\x81\r\n=\x1a\x82", 12) + std::string(300, '\xfc')},
      {"long values", "[SetUp]\r\nTopHst0=" + longValue + "\r\n[Option]\r\nFileCount=" +
                          std::string(3000, '9') + "\r\nFile0=" + longValue + "\r\n"},
      {"absurd count", "[Option]\r\nFileCount=2147483647\r\nFile0=*.a\r\n"},
  };
  for (const Case& c : cases) {
    WriteRaw(c.bytes);
    Win32ProfileStore store(path_);
    WindowPosition p = ReadWindowPosition(store);
    EXPECT_TRUE(p.Left == kDesignLeft || p.Left == 12) << c.name;
    EXPECT_EQ(p.Top, kDesignTop) << c.name;
    TextHistory prefixes = ReadPrefixHistory(store);
    EXPECT_LE(prefixes[0].size(), kMaxProfileValueLength) << c.name;
    std::vector<std::string> masks = LoadUserMasks(store);
    EXPECT_LE(masks.size(), static_cast<std::size_t>(kMaxUserMasks)) << c.name;
    EXPECT_EQ(BuildStartupFilter(store).rfind("すべて", 0), 0u) << c.name;
    Forget();
    DeleteFileW(Widen(path_).c_str());
  }
  // A value longer than 2047 characters comes back cut.
  WriteRaw("[SetUp]\r\nTopHst0=" + longValue + "\r\n");
  Win32ProfileStore store(path_);
  EXPECT_EQ(store.ReadString("SetUp", "TopHst0"), std::string(kMaxProfileValueLength, 'v'));

  // A file larger than any the program writes is neither read nor written.
  WriteRaw("[Form]\r\nLeft=12\r\n");
  HANDLE file = CreateFileW(Widen(path_).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(kLargestWholeFile) + 1;
  SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
  SetEndOfFile(file);
  CloseHandle(file);
  Win32ProfileStore huge(path_);
  EXPECT_EQ(ReadWindowPosition(huge).Left, kDesignLeft);
  EXPECT_FALSE(huge.WriteString("Form", "Left", "5"));
  const std::string kept = "[Form]\r\nLeft=12\r\n";
  EXPECT_EQ(ReadRaw().substr(0, kept.size()), kept);
}

// A missing file is read as empty without asking again only until its
// folder changes: one created meanwhile by someone else is read.
TEST_F(SettingsFolder, AFileCreatedAfterAMissingReadIsRead) {
  // A folder unchanged for years, as a large start-up folder would be.
  HANDLE folder = CreateFileW(Widen(folder_).c_str(), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(folder, INVALID_HANDLE_VALUE);
  SYSTEMTIME old{2001, 2, 0, 3, 4, 5, 6, 0};
  FILETIME oldTime;
  SystemTimeToFileTime(&old, &oldTime);
  EXPECT_TRUE(SetFileTime(folder, nullptr, nullptr, &oldTime));
  CloseHandle(folder);

  Win32ProfileStore store(path_);
  EXPECT_EQ(store.ReadString("Form", "Left"), "");
  EXPECT_EQ(store.ReadString("Form", "Top"), "");
  WriteRaw("[Form]\r\nLeft=12\r\n");
  EXPECT_EQ(store.ReadString("Form", "Left"), "12");
}

// Texts arrive as UTF-8 and lie in the file as the Shift-JIS bytes earlier
// versions wrote; a text Shift-JIS lacks is neither claimed nor written, so
// no other name ever takes its place. The characters are those whose
// Shift-JIS form differs between tables (―～∥ have one, —〜‖ do not).
TEST_F(SettingsFolder, ValuesLieInTheFileAsShiftJisAndOthersAreRefused) {
  struct Case {
    const char* text;
    const char* bytes;  // null: Shift-JIS lacks a character
  };
  const Case cases[] = {
      {"ソ表①", "\x83\x5C\x95\x5C\x87\x40"},
      {"―～∥", "\x81\x5C\x81\x60\x81\x61"},
      {"ｶﾅ.txt", "\xB6\xC5.txt"},
      {"", ""},
      {"café", nullptr},
      {"한", nullptr},
      {"😀", nullptr},
      {"—", nullptr},
      {"〜", nullptr},
      {"‖", nullptr},
      {"¥", nullptr},
  };
  Win32ProfileStore store(path_);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const std::string key = "K" + std::to_string(i);
    EXPECT_EQ(store.CanHold(c.text), c.bytes != nullptr) << c.text;
    EXPECT_EQ(store.WriteString("SetUp", key, c.text), c.bytes != nullptr) << c.text;
    EXPECT_EQ(store.WriteStrings("Option", {{key, c.text}}), c.bytes != nullptr ? 1u : 0u)
        << c.text;
  }
  const std::string file = ReadRaw();
  Win32ProfileStore again(path_);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const std::string key = "K" + std::to_string(i);
    const std::string line = "\r\n" + key + "=" + (c.bytes ? c.bytes : "") + "\r\n";
    EXPECT_EQ(file.find(line) != std::string::npos, c.bytes != nullptr) << c.text;
    const std::string read = c.bytes ? c.text : "";
    EXPECT_EQ(again.ReadString("SetUp", key), read) << c.text;
    EXPECT_EQ(again.ReadStrings("Option", {key}), std::vector<std::string>{read}) << c.text;
  }
}

// A settings folder whose name the ANSI code page cannot spell is reached
// through its short name.
TEST_F(SettingsFolder, AFolderNamedOutsideTheAnsiCodePageIsWrittenAndRead) {
  TearDown();
  UseFolder("kvt-한글-");
  Win32ProfileStore store(path_);
  ASSERT_TRUE(store.WriteString("Form", "Left", "表"));
  EXPECT_NE(GetFileAttributesW(Widen(path_).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadRaw(), "[Form]\r\nLeft=\x95\x5C\r\n");
  EXPECT_EQ(Win32ProfileStore(path_).ReadString("Form", "Left"), "表");
}

}  // namespace
}  // namespace korvath
