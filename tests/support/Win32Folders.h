// Folder helpers shared by the tests and benchmarks that run on real files
// under the temporary folder. Paths are UTF-8, as everywhere in the program.
#pragma once

#include <windows.h>

#include <string>

#include "WideText.h"

namespace korvath::testsupport {

inline std::string CurrentFolder() {
  std::wstring buffer(GetCurrentDirectoryW(0, nullptr), L'\0');
  DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
  buffer.resize(length < buffer.size() ? length : 0);
  return Narrow(buffer);
}

// Makes "<temp><tag><process id>_<serial>" and returns its path; the process
// id keeps parallel test programs apart, the serial keeps tests apart.
inline std::string MakeScratchFolder(const std::string& tag) {
  static int serial = 0;
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  std::string folder = Narrow(temp) + tag + std::to_string(GetCurrentProcessId()) + "_" +
                       std::to_string(++serial);
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
  return folder;
}

// Removes folder and everything below it, read-only or hidden entries too,
// however deep: the paths go through the "\\?\" form.
inline void RemoveTree(const std::string& folder) {
  const std::wstring wide =
      folder.rfind("\\\\?\\", 0) == 0 ? Widen(folder) : L"\\\\?\\" + Widen(folder);
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((wide + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = wide + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(Narrow(path));
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(wide.c_str());
}

}  // namespace korvath::testsupport
