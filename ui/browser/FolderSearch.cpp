#include "FolderSearch.h"

#include "Handles.h"
#include "cp932.h"

namespace korvath {

std::vector<FolderEntry> SearchFolder(const std::string& pattern) {
  std::vector<FolderEntry> entries;
  if (pattern.empty()) return entries;
  WIN32_FIND_DATAA data;
  OwnedFind find(FindFirstFileA(pattern.c_str(), &data));
  if (!find) return entries;
  do {
    const std::uint64_t lastWrite = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                    data.ftLastWriteTime.dwLowDateTime;
    entries.push_back({data.cFileName, data.dwFileAttributes, lastWrite});
  } while (FindNextFileA(find.Get(), &data));
  return entries;
}

std::string CurrentFolder() {
  DWORD needed = GetCurrentDirectoryA(0, nullptr);
  std::string folder(needed, '\0');
  DWORD length = GetCurrentDirectoryA(needed, folder.data());
  folder.resize(length < needed ? length : 0);
  return folder;
}

bool EnterFolder(const std::string& path) {
  if (!SetCurrentDirectoryA(path.c_str())) return false;
  std::string folder = CurrentFolder();
  if (folder.size() >= 2 && folder[1] == ':') {
    const char letter = UpperLetter(folder[0]);
    const char variable[] = {'=', letter, ':', '\0'};
    SetEnvironmentVariableA(variable, folder.c_str());
  }
  return true;
}

char UpperLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  std::size_t last = FindLastDelimiter(folder, "\\");
  if (!folder.empty() && last == folder.size() - 1) return folder + name;
  return folder + "\\" + name;
}

}  // namespace korvath
