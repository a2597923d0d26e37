#include "WindowDpi.h"

#include "Handles.h"

namespace korvath {

namespace {

int overrideDpi = 0;

// Windows 10 1607 and later, and Wine, have these; earlier systems know only
// the one system density. Looked up once, by name.
struct DpiFunctions {
  using ForWindow = UINT(WINAPI*)(HWND);
  using ForSystem = UINT(WINAPI*)();
  using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  ForWindow forWindow = nullptr;
  ForSystem forSystem = nullptr;
  AdjustForDpi adjust = nullptr;

  DpiFunctions() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return;
    forWindow = reinterpret_cast<ForWindow>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
    forSystem = reinterpret_cast<ForSystem>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForSystem")));
    adjust = reinterpret_cast<AdjustForDpi>(
        reinterpret_cast<void*>(GetProcAddress(user32, "AdjustWindowRectExForDpi")));
  }
};

const DpiFunctions& Functions() {
  static const DpiFunctions functions;
  return functions;
}

}  // namespace

Dpi SystemDpi() {
  if (overrideDpi) return ValidDpi(overrideDpi);
  if (Functions().forSystem) return ValidDpi(static_cast<int>(Functions().forSystem()));
  WindowDC screen;
  return ValidDpi(GetDeviceCaps(screen.Get(), LOGPIXELSY));
}

Dpi WindowDpi(HWND window) {
  if (overrideDpi) return ValidDpi(overrideDpi);
  if (window && Functions().forWindow) {
    return ValidDpi(static_cast<int>(Functions().forWindow(window)));
  }
  return SystemDpi();
}

SIZE FrameSize(DWORD style, DWORD exStyle, bool menu, Dpi dpi) {
  RECT rect{0, 0, 0, 0};
  if (Functions().adjust) {
    Functions().adjust(&rect, style, menu, exStyle, static_cast<UINT>(dpi.value));
  } else {
    AdjustWindowRectEx(&rect, style, menu, exStyle);
  }
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void OverrideWindowDpi(int dpi) { overrideDpi = dpi; }

}  // namespace korvath
