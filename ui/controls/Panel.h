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
  kPanelSpinField = 1u << 4,           // takes the focus and reports keys (below)
};

// What a spin-field panel reports of the keys it is given, as the
// notification code of a WM_COMMAND to the main window (its id, its handle).
// The field shows the focus; what a key does with the value is the window's.
enum PanelKey : WORD {
  kPanelKeyUp = 1,             // Up: one more
  kPanelKeyDown,               // Down: one less
  kPanelKeyPageUp,             // Page Up: ten more
  kPanelKeyPageDown,           // Page Down: ten less
  kPanelKeyBack,               // Backspace: the last digit off
  kPanelKeyDigit = 0x100,      // + digit: the first digit typed, a new value
  kPanelKeyMoreDigit = 0x200,  // + digit: one more digit of the value being typed
};

// The window class of the panels; registered on first use.
const char* PanelClassName();

// Width of the bevels that a panel with these flags draws inside its client
// area (children aligned to its edges stand inside them).
int PanelBevelWidth(unsigned flags);

HWND CreatePanel(HWND parent, int id, unsigned flags, DWORD exStyle, int left, int top, int width,
                 int height);

}  // namespace korvath
