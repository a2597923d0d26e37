#include "Win32ProfileStore.h"

#include <windows.h>

#include <cstring>

namespace korvath {
namespace {
// Under Wine every lookup of a name that does not exist scans its whole
// folder: with 100,000 files each read of a missing settings file costs about
// 0.1 s, and start-up reads dozens of keys. A file found missing is read as
// empty without asking again for as long as its folder's last-write time
// says that nothing has been created there since. A folder changed within
// the last seconds is not trusted: a file system's clock ticks coarsely, and
// a file created in the same tick would leave the time as it was.
struct MissingFile {
  std::string path;
  FILETIME folderWritten{};
};
MissingFile knownMissing;

bool FolderWriteTime(const std::string& path, FILETIME& written) {
  const std::size_t slash = path.rfind('\\');  // "KVTset.ini" holds no second bytes
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(folder.c_str(), GetFileExInfoStandard, &data)) return false;
  written = data.ftLastWriteTime;
  return true;
}

bool KnownToBeMissing(const std::string& path) {
  FILETIME written{};
  const bool folderRead = FolderWriteTime(path, written);
  if (folderRead && path == knownMissing.path &&
      CompareFileTime(&written, &knownMissing.folderWritten) == 0) {
    return true;
  }
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER nowTicks{{now.dwLowDateTime, now.dwHighDateTime}};
  ULARGE_INTEGER writtenTicks{{written.dwLowDateTime, written.dwHighDateTime}};
  constexpr unsigned long long kSettled = 2 * 10000000ull;  // 2 s in 100 ns ticks
  if (folderRead && writtenTicks.QuadPart + kSettled < nowTicks.QuadPart) {
    knownMissing = {path, written};
  }
  return true;
}
}  // namespace

std::string Win32ProfileStore::ReadRaw(const std::string& section, const std::string& key) {
  if (KnownToBeMissing(path_)) return "";
  char buffer[kMaxProfileValueLength + 1] = {};
  DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                          static_cast<DWORD>(sizeof(buffer)), path_.c_str());
  // The API cuts long values itself; never trust the count beyond the text.
  length =
      static_cast<DWORD>(strnlen(buffer, length < sizeof(buffer) ? length : sizeof(buffer) - 1));
  return std::string(buffer, length);
}

bool Win32ProfileStore::WriteString(const std::string& section, const std::string& key,
                                    const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) !=
         FALSE;
}

}  // namespace korvath
