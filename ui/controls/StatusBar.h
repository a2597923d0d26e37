#pragma once
// The main window's status bar. It answers the common status bar messages
// (SB_SETTEXTW, SB_GETTEXTW, SB_GETTEXTLENGTHW, SB_SETPARTS, SB_GETPARTS,
// SB_GETRECT, SB_SIMPLE, SB_ISSIMPLE) and looks like the system's, but it
// draws a panel the moment its text changes instead of waiting for a paint
// cycle: the rename run writes its count once per file, and a full repaint
// of the bar per file would cost more than the rename itself.
//
// Texts follow the system's convention: what follows the first tab is
// centred, what follows the second is right-aligned. SBT_NOBORDERS draws a
// panel flat. Part 255 is the single panel of the simple mode.

#include <windows.h>

namespace korvath {

// The bar's own messages: a progress bar drawn across a panel, behind its
// text. wparam: the panel; lparam (set): thousandths done, -1 for none.
constexpr UINT kStatusBarSetProgress = WM_USER + 200;
constexpr UINT kStatusBarGetProgress = WM_USER + 201;

// Registers the window class on first use and returns its name.
const char* StatusBarClassName();

// A status bar with a size grip, placed by its parent.
HWND CreateStatusBar(HWND parent, int id, int height);

}  // namespace korvath
