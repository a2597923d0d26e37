#include "Win32FileSystem.h"

#include <windows.h>

namespace korvath {
bool Win32FileSystem::Exists(const std::string& name) {
  // Wildcards are refused as names here rather than matched, so the test
  // answers for this one name only.
  if (name.find_first_of("*?") != std::string::npos) return false;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data)) return false;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  // A time stamp that has no DOS form (before 1980 or after 2107) makes the
  // entry count as absent; MoveFileA still refuses to replace it.
  FILETIME local;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local)) return false;
  WORD dosDate = 0;
  WORD dosTime = 0;
  return FileTimeToDosDateTime(&local, &dosDate, &dosTime) != FALSE;
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to) {
  if (MoveFileA(from.c_str(), to.c_str())) return true;
  lastError_ = GetLastError();
  return false;
}

std::string Win32FileSystem::LastFailureReason() {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, lastError_, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string reason = length > 0 && buffer != nullptr ? std::string(buffer, length) : std::string();
  if (buffer != nullptr) LocalFree(buffer);
  // The system's texts end in a line break, which would split the report's line.
  while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' ')) {
    reason.pop_back();
  }
  if (reason.empty()) reason = "エラー " + std::to_string(lastError_);
  return reason;
}

void DefaultBeep() { MessageBeep(0); }

}  // namespace korvath
