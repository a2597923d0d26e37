#pragma once
// The rename run's file system on Windows: names relative to the working
// folder (WorkingFolder.h) or full paths, through the wide functions, in the
// "\\?\" form when they are long.

#include <string>

#include "RenameRun.h"

namespace korvath {

class Win32FileSystem : public FileSystem {
 public:
  // The attributes of exactly this name (no pattern: "*" and "?" match
  // nothing). True when it is a file, not a folder, and its last-write
  // time, in local time, converts to a DOS date and time.
  bool Exists(const std::string& name) override;
  // MoveFileExW(from, to) without replacing: never replaces an existing
  // file or folder.
  bool Rename(const std::string& from, const std::string& to) override;
  // FormatMessageW's text for the error of the last refused Rename.
  std::string LastFailureReason() override;
  // GetFileAttributesW of exactly this name.
  bool EntryExists(const std::string& name) override;
  // A "*" search of the folder: every entry but "." and "..".
  bool ListNames(const std::string& folder, std::vector<std::string>& names) override;
  // Read, write and delete access shared for reading only (a second
  // holder meets a sharing violation: Busy), hidden, OPEN_ALWAYS or
  // OPEN_EXISTING. Append writes at the end, Flush is FlushFileBuffers,
  // Read refuses a file over kLargestWholeFile before reading any of it,
  // Remove sets the delete disposition on the handle.
  std::unique_ptr<HeldJournal> HoldJournal(const std::string& path, bool create,
                                           JournalHold& how) override;
  // Read access with every sharing.
  bool PeekFile(const std::string& path, std::size_t most, std::string& text) override;
  // Size and last-write time (GetFileAttributesExW).
  std::string FileStamp(const std::string& path) override;
  // A folder with the reparse-point attribute: a junction, a symbolic link
  // or a mount point.
  bool IsLinkFolder(const std::string& path) override;
  // Volume serial and file index (GetFileInformationByHandle) on NTFS and
  // ReFS; elsewhere size and last-write time.
  std::string FileIdentity(const std::string& name) override;
  // DELETE access, full sharing, the link itself (FILE_FLAG_OPEN_REPARSE_POINT),
  // never a folder. RenameTo first checks that the name still holds the file
  // held, then renames through the handle (SetFileInformationByHandle,
  // FileRenameInfo, not replacing); where the file system refuses that, by
  // the name (MoveFileExW). A rename called off (CancelSynchronousIo) is Unsure.
  std::unique_ptr<HeldFile> Hold(const std::string& name) override;
  bool RemoveFile(const std::string& path) override;
  // MultiByteToWideChar(932), refusing bytes that are no Shift-JIS.
  std::optional<std::string> ShiftJisToUtf8(std::string_view bytes) override;

 private:
  unsigned long lastError_ = 0;
};

// The system's default sound (MessageBeep(0)), sounded after each rename.
void DefaultBeep();

}  // namespace korvath
