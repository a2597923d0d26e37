#include "WorkingFolder.h"

#include <windows.h>

#include <cwctype>

#include "WideText.h"

namespace korvath {
namespace {

// The longest folder the system keeps as its current folder: MAX_PATH less
// the closing "\" and the zero.
constexpr std::size_t kLongestCurrentFolder = MAX_PATH - 2;
// The longest path given in the plain form: a folder must leave room for an
// 8.3 name below it.
constexpr std::size_t kLongestPlainPath = MAX_PATH - 12;

// A working folder too long for the system, and the system's current folder
// set with it. Whoever sets the system's current folder since has left it.
struct DeepFolder {
  std::wstring folder;
  std::wstring anchor;
};
DeepFolder deep;

std::wstring SystemCurrentFolder() {
  const DWORD needed = GetCurrentDirectoryW(0, nullptr);
  std::wstring folder(needed, L'\0');
  const DWORD length = GetCurrentDirectoryW(needed, folder.data());
  folder.resize(length < needed ? length : 0);
  return folder;
}

const std::wstring* ActiveDeepFolder() {
  if (deep.folder.empty()) return nullptr;
  if (SystemCurrentFolder() != deep.anchor) {
    deep = {};
    return nullptr;
  }
  return &deep.folder;
}

bool StartsWith(std::wstring_view text, std::wstring_view start) {
  return text.substr(0, start.size()) == start;
}

bool IsFullPath(std::wstring_view path) {
  return (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') || StartsWith(path, L"\\\\");
}

std::wstring Backslashed(std::string_view path) {
  std::wstring wide = Widen(path);
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return wide;
}

// The full path of path with "." and ".." worked out. Relative parts go from
// the working folder: a deep one stands in for the system's current folder,
// also behind its own drive's "C:".
std::wstring FullPath(std::wstring path) {
  if (const std::wstring* folder = ActiveDeepFolder()) {
    const bool driveRelative = path.size() >= 2 && path[1] == L':' &&
                               (path.size() == 2 || path[2] != L'\\') &&
                               std::towupper(path[0]) == std::towupper((*folder)[0]);
    if (driveRelative) {
      path = path.size() == 2 ? *folder : *folder + L"\\" + path.substr(2);
    } else if (!path.empty() && path[0] != L'\\' && !(path.size() >= 2 && path[1] == L':')) {
      path = *folder + L"\\" + path;
    }
  }
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  full.resize(length < needed ? length : 0);
  return full;
}

// The "\\?\" form: no length limit, and no further normalising by the system.
std::wstring Extended(const std::wstring& full) {
  if (StartsWith(full, L"\\\\?\\") || StartsWith(full, L"\\\\.\\")) return full;
  if (StartsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace

std::string WorkingFolder() {
  if (const std::wstring* folder = ActiveDeepFolder()) return Narrow(*folder);
  return Narrow(SystemCurrentFolder());
}

bool SetWorkingFolder(const std::string& path) {
  std::wstring full = FullPath(Backslashed(path));
  if (path.empty() || full.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  if (full.size() <= kLongestCurrentFolder + 1) {
    if (!SetCurrentDirectoryW(full.c_str())) return false;
    deep = {};
    return true;
  }
  while (full.back() == L'\\') full.pop_back();
  const DWORD attributes = GetFileAttributesW(Extended(full).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetLastError(ERROR_DIRECTORY);
    return false;
  }
  // The deepest ancestor that fits keeps the drive (and "\" paths) right.
  std::wstring ancestor = full;
  while (ancestor.size() > kLongestCurrentFolder) {
    const std::size_t slash = ancestor.rfind(L'\\');
    if (slash == std::wstring::npos || slash < 3) break;
    ancestor.resize(slash);
  }
  if (!SetCurrentDirectoryW(ancestor.c_str())) return false;
  deep = {full, SystemCurrentFolder()};
  return true;
}

std::wstring SystemPath(std::string_view path) {
  std::wstring wide = Backslashed(path);
  if (wide.empty() || StartsWith(wide, L"\\\\?\\") || StartsWith(wide, L"\\\\.\\")) return wide;
  if (!ActiveDeepFolder()) {
    const std::size_t reach =
        IsFullPath(wide) ? wide.size() : wide.size() + GetCurrentDirectoryW(0, nullptr);
    if (reach <= kLongestPlainPath) return wide;
  }
  return Extended(FullPath(wide));
}

}  // namespace korvath
