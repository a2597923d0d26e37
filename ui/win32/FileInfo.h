#pragma once
// File information of the check list's highlighted file for the status bar:
// panel 0 its name, panel 1 its size, panel 2 its time stamp.

#include <cstdint>
#include <optional>
#include <string>

namespace korvath {

struct FileInfo {
  std::string Name;                     // panel 0: always the name asked for
  std::optional<std::string> SizeText;  // panel 1, e.g. "12 KB"; empty: not found
  std::optional<std::string> TimeText;  // panel 2, e.g. "2004/05/06 07:08:10"; empty: not
                                        // found, or no DOS time
};

// Reads the file name (bare, relative to the working folder, however deep). Size
// and time stamp both come from one directory search admitting every
// attribute; the file itself is never opened. Never throws.
FileInfo ReadFileInfo(const std::string& name);

// A moment on the timeline (FILETIME ticks, UTC) in the computer's local
// time, "yyyy/mm/dd hh:nn:ss" with the locale's separators, to the second
// (English: the user's short date and time format).
std::optional<std::string> LocalTimeText(std::uint64_t ticks);

// "<size div 1024> KB".
std::string FileSizeText(std::uint64_t bytes);

// A DOS date and time formatted "yyyy/mm/dd hh:nn:ss" where "/" is
// dateSeparator and ":" is timeSeparator.
std::string FormatDosTimeStamp(unsigned short dosDate, unsigned short dosTime,
                               const std::string& dateSeparator, const std::string& timeSeparator);

}  // namespace korvath
