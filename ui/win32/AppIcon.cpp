#include "AppIcon.h"

#include "Application.h"

namespace korvath {

HICON LoadAppIcon(int size) {
  // Not shared: a shared icon keeps the size it was first loaded at.
  HINSTANCE instance = Application.Instance() ? Application.Instance() : GetModuleHandleW(nullptr);
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
}

WindowIcons::~WindowIcons() {
  if (big_) DestroyIcon(big_);
  if (small_) DestroyIcon(small_);
}

void WindowIcons::Set(HWND window, Dpi dpi) {
  // SM_CXICON and SM_CXSMICON at the density: 32 and 16 pixels at 96 dpi.
  HICON big = LoadAppIcon(dpi.Scale(32));
  HICON small = LoadAppIcon(dpi.Scale(16));
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  if (big_) DestroyIcon(big_);
  if (small_) DestroyIcon(small_);
  big_ = big;
  small_ = small;
}

}  // namespace korvath
