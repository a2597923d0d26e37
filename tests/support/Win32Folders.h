// Folder helpers shared by the tests and benchmarks that run on real files
// under the temporary folder.
#pragma once

#include <windows.h>

#include <string>

namespace korvath::testsupport {

inline std::string CurrentFolder() {
  char buffer[MAX_PATH * 2] = {};
  DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  return std::string(buffer, length < sizeof buffer ? length : 0);
}

// Makes "<temp><tag><process id>_<serial>" and returns its path; the process
// id keeps parallel test programs apart, the serial keeps tests apart.
inline std::string MakeScratchFolder(const std::string& tag) {
  static int serial = 0;
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp) + tag + std::to_string(GetCurrentProcessId()) + "_" +
                       std::to_string(++serial);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// Removes folder and everything below it, read-only or hidden entries too.
inline void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(folder.c_str());
}

}  // namespace korvath::testsupport
