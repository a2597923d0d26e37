// Files by UTF-8 path, relative to the working folder or full, however deep:
// the C++ streams would take a narrow path through the ANSI code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "WorkingFolder.h"

namespace korvath::testsupport {

// Writes bytes to path, replacing what was there; attributes, when given,
// are set once the file is written.
inline bool MakeFile(const std::string& path, std::string_view bytes, DWORD attributes = 0) {
  HANDLE file = CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (attributes && !SetFileAttributesW(SystemPath(path).c_str(), attributes)) return false;
  return ok && written == bytes.size();
}

inline std::string FileBytes(const std::string& path) {
  HANDLE file = CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(static_cast<std::size_t>(GetFileSize(file, nullptr)), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

inline bool FileExists(const std::string& path) {
  return GetFileAttributesW(SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace korvath::testsupport
