#pragma once
// The main window's panels: containers that draw their bevels and a centred
// caption, and pass their children's notifications on to the main window,
// so that every handler sees them in one place.

#include <windows.h>

namespace korvath {

enum PanelFlags : unsigned {
  kPanelPlain = 0,
  kPanelLoweredBevel = 1u << 0,        // one lowered line around the edge
  kPanelRaisedInLoweredOut = 1u << 1,  // lowered outer and raised inner line
  kPanelWindowColour = 1u << 2,        // window colour instead of button face
  kPanelTopLine = 1u << 3,             // a lowered line along the top edge only
};

// The window class of the panels; registered on first use.
const char* PanelClassName();

// Width of the bevels that a panel with these flags draws inside its client
// area (children aligned to its edges stand inside them).
int PanelBevelWidth(unsigned flags);

HWND CreatePanel(HWND parent, int id, unsigned flags, DWORD exStyle, int left, int top, int width,
                 int height);

}  // namespace korvath
