#pragma once
// The Home-key glide: the window slides to the centre of the primary screen
// in ten steps, each followed by an immediate repaint, so that the pace comes
// from the repaints rather than from a timer.

#include <windows.h>

#include "GlidePath.h"

namespace korvath {

// Moves `window` (a top-level window) along its glide path to the centre of
// the primary display's full area: at each stop the left edge, then the top
// edge, then an immediate repaint.
void CenterWindowAnimated(HWND window);

}  // namespace korvath
