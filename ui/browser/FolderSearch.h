#pragma once
// One directory search (FindFirstFileW/FindNextFileW) read into a vector,
// with the find handle held by a guard; and the few folder helpers the
// browser and the windows share.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace korvath {

struct FolderEntry {
  std::string Name;
  DWORD Attributes = 0;
  std::uint64_t LastWrite = 0;  // FILETIME ticks, for the date orders
  std::uint64_t Size = 0;       // with the last write, tells a changed photo
};

// Every entry matching pattern (relative to the working folder or absolute).
// A pattern matching nothing, or a folder that cannot be searched, gives none.
std::vector<FolderEntry> SearchFolder(const std::string& pattern);

// Makes path the working folder (WorkingFolder.h: the process's current
// folder when it is short enough) and records it as its drive's
// current folder ("=C:" in the environment, as the C runtime does), so that
// entering "C:" later returns there. False, with the last error set, when
// the folder cannot be entered.
bool EnterFolder(const std::string& path);

// The working folder as the platform spells it, however deep.
std::string CurrentFolder();

// True when path names an existing folder.
bool FolderExists(const std::string& path);

// A drive letter in upper case; any other byte as it is.
char UpperLetter(char c);

// Folder + "\" + name; no "\" is doubled after a root's "\".
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace korvath
