#include "FolderSearch.h"

#include "Handles.h"
#include "Utf8.h"
#include "WideText.h"
#include "WorkingFolder.h"

namespace korvath {

std::vector<FolderEntry> SearchFolder(const std::string& pattern) {
  std::vector<FolderEntry> entries;
  if (pattern.empty()) return entries;
  WIN32_FIND_DATAW data;
  OwnedFind find(FindFirstFileW(SystemPath(pattern).c_str(), &data));
  if (!find) return entries;
  do {
    const std::uint64_t lastWrite = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                    data.ftLastWriteTime.dwLowDateTime;
    const std::uint64_t size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    entries.push_back({Narrow(data.cFileName), data.dwFileAttributes, lastWrite, size});
  } while (FindNextFileW(find.Get(), &data));
  return entries;
}

std::string CurrentFolder() { return WorkingFolder(); }

bool EnterFolder(const std::string& path) {
  if (!SetWorkingFolder(path)) return false;
  std::string folder = CurrentFolder();
  if (folder.size() >= 2 && folder[1] == ':') {
    const wchar_t variable[] = {L'=', static_cast<wchar_t>(UpperLetter(folder[0])), L':', L'\0'};
    SetEnvironmentVariableW(variable, Widen(folder).c_str());
  }
  return true;
}

char UpperLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  std::size_t last = FindLastDelimiter(folder, "\\");
  if (!folder.empty() && last == folder.size() - 1) return folder + name;
  return folder + "\\" + name;
}

}  // namespace korvath
