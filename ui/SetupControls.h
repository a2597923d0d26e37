#pragma once
// The main window's control table, shared by the file that creates the
// controls from it and the window procedure that routes their commands.

#include <windows.h>

#include "Layout.h"
#include "Setup.h"

namespace korvath {

// The control table: every child of the main window, in creation order.
// Parents come before their children. Bounds are the design bounds; the
// layout rule moves the ones that follow the window's size.

enum class Kind {
  Bevel,
  Label,
  Panel,
  SpeedButton,
  Edit,
  ComboBox,
  CheckBox,
  BitBtn,
  StatusBar,
  DriveComboBox,
  DirectoryListBox,
  FileListBox,
  FilterComboBox,
  CheckListBox,
  StringGrid,
};

enum class FontKind { Normal, Sample, Small };

using Handler = void (TSetupForm1::*)();

struct ControlRow {
  const char* name;
  Kind kind;
  const char* parent;  // nullptr: the main window
  Bounds bounds;
  const char* text;
  FontKind font;
  int tabOrder;    // 0: no tab stop; containers carry their first child's
  unsigned style;  // panel flags, or the glyph of a speed button
  DWORD exStyle;
  int tag;
  Handler click;  // click or change
  Handler exit;   // focus lost
  HWND TSetupForm1::*member;
};

// The status bar's design height; the layout puts it at the bottom.
inline constexpr int kStatusBarHeight = 19;

// The row of the control with this command identifier, or null.
const ControlRow* RowById(int id);

}  // namespace korvath
