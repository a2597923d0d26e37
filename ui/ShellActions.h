#pragma once
// The two commands that hand work to the Windows shell: opening the
// program's web site and showing a file's properties sheet. Both go through
// replaceable functions so that tests can capture the exact arguments.

#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <functional>
#include <string>

namespace korvath {

// Asks the shell to "open" the web site, owned by `owner`, shown with
// SW_SHOW. Nothing is reported, whatever the shell does.
void OpenWebSite(HWND owner);

// Asks the shell to show the properties sheet of `fileName` (a name relative
// to the current folder, passed unchanged), owned by the application's own
// window. The result is the shell's business.
void ShowFileProperties(const std::string& fileName);

// Seams for tests: while installed, a handler receives the call instead of
// the shell. An empty function restores the real calls.
using ShellExecuteHandler = std::function<HINSTANCE(
    HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, INT show)>;
using ShellExecuteExHandler = std::function<BOOL(SHELLEXECUTEINFOW* info)>;
void SetShellExecuteHandler(ShellExecuteHandler handler);
void SetShellExecuteExHandler(ShellExecuteExHandler handler);

}  // namespace korvath
