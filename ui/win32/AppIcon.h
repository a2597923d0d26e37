#pragma once
// The program's icon (resource 1), which holds an image for each size the
// system draws it at (16 to 64 pixels, and 256): loaded at the size asked
// for, it is that image, not another one stretched.

#include <windows.h>

#include "Dpi.h"

namespace korvath {

// The icon at size x size pixels; the caller destroys it (DestroyIcon).
HICON LoadAppIcon(int size);

// A window's big (Alt+Tab, taskbar) and small (title bar) icons at a
// density; Set again when the density changes. Frees the icons it set.
class WindowIcons {
 public:
  WindowIcons() = default;
  WindowIcons(const WindowIcons&) = delete;
  WindowIcons& operator=(const WindowIcons&) = delete;
  ~WindowIcons();
  void Set(HWND window, Dpi dpi);

 private:
  HICON big_ = nullptr;
  HICON small_ = nullptr;
};

}  // namespace korvath
