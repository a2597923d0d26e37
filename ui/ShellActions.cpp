#include "ShellActions.h"

#include <utility>

#include "Application.h"

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
  if (ExecuteHandler()) {
    ExecuteHandler()(owner, "open", kWebSiteAddress, nullptr, nullptr, SW_SHOW);
  } else {
    ShellExecuteA(owner, "open", kWebSiteAddress, nullptr, nullptr, SW_SHOW);
  }
}

void ShowFileProperties(const std::string& fileName) {
  SHELLEXECUTEINFOA info{};
  // The record's real size: a 64-bit shell rejects the 32-bit layout's 60.
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_INVOKEIDLIST;
  // The application's own window, the one that owns the taskbar entry.
  info.hwnd = Application.Handle();
  info.lpVerb = "properties";
  info.lpFile = fileName.c_str();
  if (ExecuteExHandler()) {
    ExecuteExHandler()(&info);
  } else {
    ShellExecuteExA(&info);
  }
}

}  // namespace korvath
