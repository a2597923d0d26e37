// The baseline of the main window's start-up benchmark: a bare Win32
// program that shows one window with as many standard child controls as
// given on its command line and runs a plain message loop until closed.
// The controls carry the program's font and a Japanese caption, so that
// loading the face and drawing its glyphs, which the program cannot avoid,
// weigh the same on both sides; like the program, it is all wide windows.

#include <windows.h>

#include <cstdlib>

#include "UiFont.h"

#ifdef KORVATH_BARE_IMPORTS
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>
#endif

namespace {

LRESULT CALLBACK BareProcClosing(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  int controls = std::atoi(commandLine);
#ifdef KORVATH_BARE_IMPORTS
  // Never true: the calls are there only so that the libraries are imported.
  if (controls < 0) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SysAllocStringLen(nullptr, 0);
    ShellExecuteW(nullptr, nullptr, nullptr, nullptr, nullptr, SW_SHOW);
  }
#endif
  WNDCLASSW wc{};
  wc.lpfnWndProc = &BareProcClosing;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"BareBenchWindow";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, L"BareBenchWindow", L"Bare", WS_OVERLAPPEDWINDOW, 198, 95, 521,
                                430, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  HFONT font = korvath::CreateUiFont(12);
  const wchar_t* classes[] = {L"STATIC", L"BUTTON", L"COMBOBOX", L"LISTBOX", L"EDIT"};
  for (int i = 0; i < controls; ++i) {
    HWND control =
        CreateWindowExW(0, classes[i % 5], L"接頭語", WS_CHILD | WS_VISIBLE, (i % 10) * 50,
                        (i / 10) * 30, 45, 25, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
