#pragma once
// The pixel density a window is drawn at, read from the system where it can
// tell (per monitor), else the system's one density; and the frame a window
// style takes at a density. The scaling itself is Dpi's (ui/portable).

#include <windows.h>

#include "Dpi.h"

namespace korvath {

// The density of the monitor the window is on; before it exists (nullptr),
// the system's.
Dpi WindowDpi(HWND window);

// The density the system was started with: what a program unaware of
// densities was shown at, so the unit of positions it stored.
Dpi SystemDpi();

// Width and height that a frame of this style (and a one-line menu bar when
// menu is set) adds to a client area at the density.
SIZE FrameSize(DWORD style, DWORD exStyle, bool menu, Dpi dpi);

// For the window tests: every window made afterwards reads this density
// instead of the system's (0 gives the system's back). The system's own
// parts (caption, menu bar, scroll bars) stay as the system draws them.
void OverrideWindowDpi(int dpi);

}  // namespace korvath
