#pragma once
// The rename run's file system on Windows: names relative to the current
// folder, ANSI (cp932) paths.

#include <string>

#include "RenameRun.h"

namespace korvath {

class Win32FileSystem : public FileSystem {
 public:
  // A directory search for name (FindFirstFileA, so "*" and "?" match as
  // wildcards). True when it finds an entry that is not a folder and whose
  // last-write time, in local time, converts to a DOS date and time.
  bool Exists(const std::string& name) override;
  // MoveFileA(from, to): never replaces an existing file or folder.
  bool Rename(const std::string& from, const std::string& to) override;
};

// The system's default sound (MessageBeep(0)), sounded after each rename.
void DefaultBeep();

}  // namespace korvath
