#pragma once
// Registration of the program's own control classes: arrow cursor, the
// program's instance, no background brush (each control paints itself), and
// the window procedure inside the program's error guard.

#include <windows.h>

#include "Application.h"
#include "WideText.h"

namespace korvath {

template <WNDPROC Proc>
LRESULT CALLBACK GuardedControlProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  Application.Guard([&] { result = Proc(window, msg, wparam, lparam); });
  return result;
}

template <WNDPROC Proc>
void RegisterControlClass(const char* name, UINT style = 0, int extraBytes = 0) {
  const std::wstring className = Widen(name);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = &GuardedControlProc<Proc>;
  wc.cbWndExtra = extraBytes;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = className.c_str();
  RegisterClassExW(&wc);
}

}  // namespace korvath
