#include "Win32FileSystem.h"

#include <windows.h>

namespace korvath {
namespace {

// Closes a directory search however the test ends.
class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (Valid()) FindClose(handle_);
  }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

}  // namespace

bool Win32FileSystem::Exists(const std::string& name) {
  WIN32_FIND_DATAA data;
  const FindHandle search(FindFirstFileA(name.c_str(), &data));
  if (!search.Valid()) return false;
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
  return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

void DefaultBeep() { MessageBeep(0); }

}  // namespace korvath
