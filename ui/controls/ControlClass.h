#pragma once
// Registration of the program's own control classes: arrow cursor, the
// program's instance, no background brush (each control paints itself).

#include <windows.h>

namespace korvath {

inline void RegisterControlClass(const char* name, WNDPROC proc, UINT style = 0,
                                 int extraBytes = 0) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = extraBytes;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  wc.lpszClassName = name;
  RegisterClassExA(&wc);
}

}  // namespace korvath
