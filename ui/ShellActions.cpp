#include "ShellActions.h"

#include <utility>

#include "Application.h"
#include "SystemDlls.h"
#include "Texts.h"
#include "WideText.h"
#include "WorkingFolder.h"

namespace korvath {
namespace {

ShellExecuteHandler& ExecuteHandler() {
  static ShellExecuteHandler handler;
  return handler;
}

ShellExecuteExHandler& ExecuteExHandler() {
  static ShellExecuteExHandler handler;
  return handler;
}

}  // namespace

void SetShellExecuteHandler(ShellExecuteHandler handler) { ExecuteHandler() = std::move(handler); }

void SetShellExecuteExHandler(ShellExecuteExHandler handler) {
  ExecuteExHandler() = std::move(handler);
}

void OpenWebSite(HWND owner) {
  // The result is ignored on purpose: without a browser there is nothing
  // useful to tell the user.
  const std::wstring address = Widen(Text(kTextWebSiteAddress));
  if (ExecuteHandler()) {
    ExecuteHandler()(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
  } else {
    static const auto execute =
        SystemFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (execute) execute(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
  }
}

void ShowFileProperties(const std::string& fileName) {
  // The name is relative to the program's working folder. A folder too deep
  // for the system is not the process's current folder: the shell then gets
  // the full path, never a same-named file further up.
  std::wstring file = Widen(fileName);
  const std::wstring folder = Widen(WorkingFolder());
  std::wstring current(GetCurrentDirectoryW(0, nullptr), L'\0');
  current.resize(GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data()));
  if (folder != current) file = folder + L"\\" + file;
  SHELLEXECUTEINFOW info{};
  // The record's real size: a 64-bit shell rejects the 32-bit layout's 60.
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_INVOKEIDLIST;
  // The application's own window, the one that owns the taskbar entry.
  info.hwnd = Application.Handle();
  info.lpVerb = L"properties";
  info.lpFile = file.c_str();
  if (ExecuteExHandler()) {
    ExecuteExHandler()(&info);
  } else {
    static const auto execute =
        SystemFunction<decltype(&ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
    if (execute) execute(&info);
  }
}

}  // namespace korvath
