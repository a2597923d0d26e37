#pragma once
// The folder the program works in, and the paths the wide file functions
// are given.
//
// Windows keeps a process's current folder only while it is shorter than
// MAX_PATH (unless long paths are enabled for the whole machine), so a
// deeper folder is kept here instead: the system's current folder then stays
// at its deepest ancestor that fits, and names relative to the working
// folder are made full paths in the "\\?\" form. Folders that fit are the
// system's current folder, as before.

#include <string>
#include <string_view>

namespace korvath {

// The working folder as a full path ("C:\DATA", "C:\", "\\server\share\x"),
// never in the "\\?\" form.
std::string WorkingFolder();

// Makes path (full, or relative to the working folder; "C:" is that drive's
// current folder) the working folder. False, with the last error set, when
// it names no folder that can be entered; the working folder is unchanged.
bool SetWorkingFolder(const std::string& path);

// path as a wide file function takes it: "/" as "\", and a full path in the
// "\\?\" (or "\\?\UNC\") form when the path, or the working folder with a
// relative path, is too long for the plain form. Short relative paths stay
// relative.
std::wstring SystemPath(std::string_view path);

}  // namespace korvath
