#include "Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <mutex>
#include <utility>
#include <vector>

#include "CodePages.h"
#include "Handles.h"
#include "NameKeys.h"
#include "Texts.h"
#include "WideText.h"
#include "WorkingFolder.h"

namespace korvath {
bool Win32FileSystem::Exists(const std::string& name) {
  // Wildcards are refused as names here rather than matched, so the test
  // answers for this one name only.
  if (name.find_first_of("*?") != std::string::npos) return false;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(SystemPath(name).c_str(), GetFileExInfoStandard, &data)) return false;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  // A time stamp that has no DOS form (before 1980 or after 2107) makes the
  // entry count as absent; MoveFileExW still refuses to replace it.
  FILETIME local;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local)) return false;
  WORD dosDate = 0;
  WORD dosTime = 0;
  return FileTimeToDosDateTime(&local, &dosDate, &dosTime) != FALSE;
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to) {
  // No MOVEFILE_REPLACE_EXISTING: a taken name is refused, never replaced.
  if (MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(), 0)) return true;
  lastError_ = GetLastError();
  return false;
}

std::string Win32FileSystem::LastFailureReason() {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, lastError_, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string reason =
      length > 0 && buffer != nullptr ? Narrow(std::wstring_view(buffer, length)) : std::string();
  if (buffer != nullptr) LocalFree(buffer);
  // The system's texts end in a line break, which would split the report's line.
  while (!reason.empty() &&
         (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' ')) {
    reason.pop_back();
  }
  if (reason.empty()) reason = FormatText(kTextSystemError, {std::to_string(lastError_)});
  return reason;
}

bool Win32FileSystem::EntryExists(const std::string& name) {
  if (name.find_first_of("*?") != std::string::npos) return false;
  return GetFileAttributesW(SystemPath(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::ListNames(const std::string& folder, std::vector<std::string>& names) {
  WIN32_FIND_DATAW data;
  const std::string pattern = folder.empty() ? "*" : JoinPath(folder, "*");
  OwnedFind search(FindFirstFileW(SystemPath(pattern).c_str(), &data));
  if (!search) return false;
  do {
    const std::wstring_view name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(Narrow(name));
  } while (FindNextFileW(search.Get(), &data));
  return true;
}

namespace {

// Reads from where the file stands at most most bytes; false on an error
// or past most.
bool ReadUpTo(HANDLE file, std::size_t most, std::string& text, bool refuseLonger) {
  text.clear();
  char buffer[65536];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) && read > 0) {
    // Still growing while read: no more than the limit all the same.
    if (text.size() + read > most) {
      if (refuseLonger) return false;
      text.append(buffer, most - text.size());
      return true;
    }
    text.append(buffer, read);
  }
  return ok;
}

class Win32HeldJournal : public HeldJournal {
 public:
  explicit Win32HeldJournal(OwnedFile file) : file_(std::move(file)) {}
  bool Append(std::string_view text) override {
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(file_.Get(), end, nullptr, FILE_END)) return false;
    DWORD written = 0;
    return WriteFile(file_.Get(), text.data(), static_cast<DWORD>(text.size()), &written,
                     nullptr) &&
           written == text.size();
  }
  bool Flush() override { return FlushFileBuffers(file_.Get()) != FALSE; }
  bool Read(std::string& text) override {
    LARGE_INTEGER size{}, start{};
    if (!GetFileSizeEx(file_.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kLargestWholeFile ||
        !SetFilePointerEx(file_.Get(), start, nullptr, FILE_BEGIN)) {
      return false;
    }
    return ReadUpTo(file_.Get(), kLargestWholeFile, text, true);
  }
  bool Clear() override {
    LARGE_INTEGER start{};
    return SetFilePointerEx(file_.Get(), start, nullptr, FILE_BEGIN) &&
           SetEndOfFile(file_.Get()) != FALSE;
  }
  bool Remove() override {
    // Gone when this handle closes, however the program ends: no other
    // Korvath can take the name in between.
    FILE_DISPOSITION_INFO info{};
    info.DeleteFile = TRUE;
    return SetFileInformationByHandle(file_.Get(), FileDispositionInfo, &info, sizeof info) !=
           FALSE;
  }

 private:
  OwnedFile file_;
};

}  // namespace

std::unique_ptr<HeldJournal> Win32FileSystem::HoldJournal(const std::string& path, bool create,
                                                          JournalHold& how) {
  // Shared for reading only: no other holder gets it, and the system lets
  // it go with the program however the program ends. Hidden, so that it
  // stays out of the file list when the settings file's folder is the one
  // shown. OPEN_ALWAYS, never CREATE_ALWAYS: what is there is read first.
  OwnedFile file(CreateFileW(SystemPath(path).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                             FILE_SHARE_READ, nullptr, create ? OPEN_ALWAYS : OPEN_EXISTING,
                             FILE_ATTRIBUTE_HIDDEN, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    lastError_ = error;
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
      how = JournalHold::Busy;
    } else if (!create && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)) {
      how = JournalHold::Missing;
    } else {
      how = JournalHold::Failed;
    }
    return nullptr;
  }
  // A folder or a device under the journal's name is no journal.
  if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
    how = JournalHold::Failed;
    return nullptr;
  }
  how = JournalHold::Held;
  return std::make_unique<Win32HeldJournal>(std::move(file));
}

bool Win32FileSystem::PeekFile(const std::string& path, std::size_t most, std::string& text) {
  // Every sharing: the holder's writes and removal are not in the way.
  OwnedFile file(CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  return ReadUpTo(file.Get(), most, text, false);
}

std::string Win32FileSystem::FileStamp(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data)) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%08lx%08lx-%08lx%08lx", data.nFileSizeHigh, data.nFileSizeLow,
                data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
  return text;
}

bool Win32FileSystem::IsLinkFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

namespace {

// Whether the volume of file (by its serial number) keeps a file's index
// through renames: asked of the system once a volume, since every step of a
// run reads an identity twice and the question costs more than the rest of
// the step under Wine.
bool KeepsLastingIndex(HANDLE file, DWORD serial) {
  static std::mutex guard;
  static std::vector<std::pair<DWORD, bool>> known;
  {
    const std::lock_guard<std::mutex> lock(guard);
    for (const auto& [volume, lasting] : known) {
      if (volume == serial) return lasting;
    }
  }
  wchar_t system[MAX_PATH + 1] = {};
  if (!GetVolumeInformationByHandleW(file, nullptr, 0, nullptr, nullptr, nullptr, system,
                                     MAX_PATH + 1)) {
    return false;  // not kept: asked again next time
  }
  const bool lasting = lstrcmpiW(system, L"NTFS") == 0 || lstrcmpiW(system, L"ReFS") == 0;
  const std::lock_guard<std::mutex> lock(guard);
  if (known.size() < 64) known.emplace_back(serial, lasting);
  return lasting;
}

// The identity of the file open as file: see FileIdentity.
std::string IdentityOf(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file, &info)) return {};
  // The file index lasts through renames on NTFS and ReFS; FAT derives it
  // from where the name stands in its folder, which a rename can move, and
  // other file systems may not keep one at all: size and time stand in.
  const bool lastingIndex = KeepsLastingIndex(file, info.dwVolumeSerialNumber) &&
                            (info.nFileIndexHigh != 0 || info.nFileIndexLow != 0);
  char text[64];
  if (lastingIndex) {
    std::snprintf(text, sizeof text, "i%08lx-%08lx%08lx", info.dwVolumeSerialNumber,
                  info.nFileIndexHigh, info.nFileIndexLow);
  } else {
    std::snprintf(text, sizeof text, "t%08lx%08lx-%08lx%08lx", info.nFileSizeHigh,
                  info.nFileSizeLow, info.ftLastWriteTime.dwHighDateTime,
                  info.ftLastWriteTime.dwLowDateTime);
  }
  return text;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Errors with which a file system refuses the rename through a handle as
// such (a redirector or driver without FileRenameInfo): the name is used.
bool RefusesHandleRename(DWORD error) {
  return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED ||
         error == ERROR_INVALID_FUNCTION || error == ERROR_CALL_NOT_IMPLEMENTED;
}

std::wstring FullSystemPath(const std::string& name) {
  const std::wstring path = SystemPath(name);
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  return full;
}

class Win32HeldFile : public HeldFile {
 public:
  Win32HeldFile(OwnedFile file, std::wstring name, unsigned long& lastError)
      : file_(std::move(file)), name_(std::move(name)), lastError_(lastError) {}

  std::string Identity() override {
    if (!identityRead_) {
      identity_ = IdentityOf(file_.Get());
      identityRead_ = true;
    }
    return identity_;
  }

  Renamed RenameTo(const std::string& to) override {
    // Wine renames a handle by the name it was opened under, whatever file
    // has that name now: the name must still hold the file held. (Windows
    // moves the file held; there this costs one look.)
    const std::string held = Identity();
    if (!held.empty() && NameIdentity() != held) return Renamed::Changed;
    // A full path: a relative one would be taken from the held file's
    // folder by one system and from the current folder by another.
    const std::wstring target = FullSystemPath(to);
    std::vector<unsigned char> buffer(offsetof(FILE_RENAME_INFO, FileName) +
                                      (target.size() + 1) * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = FALSE;  // a taken name is refused, never replaced
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
    std::copy(target.begin(), target.end(), info->FileName);
    info->FileName[target.size()] = L'\0';
    if (SetFileInformationByHandle(file_.Get(), FileRenameInfo, info,
                                   static_cast<DWORD>(buffer.size()))) {
      return Renamed::Yes;
    }
    DWORD error = GetLastError();
    if (RefusesHandleRename(error)) {
      // By the name, just checked to hold the file held.
      if (MoveFileExW(name_.c_str(), target.c_str(), 0)) return Renamed::Yes;
      error = GetLastError();
    }
    lastError_ = error;
    return error == ERROR_OPERATION_ABORTED ? Renamed::Unsure : Renamed::No;
  }

 private:
  std::string NameIdentity() const {
    OwnedFile file(CreateFileW(name_.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    return file ? IdentityOf(file.Get()) : std::string();
  }

  OwnedFile file_;
  std::wstring name_;
  unsigned long& lastError_;
  std::string identity_;
  bool identityRead_ = false;
};

}  // namespace

std::string Win32FileSystem::FileIdentity(const std::string& name) {
  // Attributes only: no sharing mode of another program's is in the way,
  // and a link is told by itself, not by what it points at.
  OwnedFile file(CreateFileW(SystemPath(name).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                             OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return {};
  return IdentityOf(file.Get());
}

std::unique_ptr<HeldFile> Win32FileSystem::Hold(const std::string& name) {
  if (name.find_first_of("*?") != std::string::npos) {
    lastError_ = ERROR_INVALID_NAME;
    return nullptr;
  }
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open: files only.
  std::wstring path = SystemPath(name);
  OwnedFile file(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                             OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) {
    lastError_ = GetLastError();
    return nullptr;
  }
  return std::make_unique<Win32HeldFile>(std::move(file), std::move(path), lastError_);
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  return DeleteFileW(SystemPath(path).c_str()) != FALSE;
}

std::optional<std::string> Win32FileSystem::ShiftJisToUtf8(std::string_view bytes) {
  return FromShiftJis(bytes, true);
}

void DefaultBeep() { MessageBeep(0); }

}  // namespace korvath
