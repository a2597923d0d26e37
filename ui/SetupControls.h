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
using SenderHandler = void (TSetupForm1::*)(HWND sender);

// One child of the main window. Rows name only what differs from these
// defaults (designated initializers), so each reads like a line of the
// window's design.
struct ControlRow {
  const char* name = nullptr;
  Kind kind = Kind::Label;
  const char* parent = nullptr;  // nullptr: the main window
  Bounds bounds{};
  const char* text = "";
  FontKind font = FontKind::Normal;
  int tabOrder = 0;    // 0: no tab stop; containers carry their first child's
  unsigned style = 0;  // panel flags, or the glyph of a speed button
  DWORD exStyle = 0;
  int tag = 0;                    // a step button's step
  Handler click = nullptr;        // click or change
  SenderHandler clickFrom = nullptr;  // a click handler shared by several controls
  Handler exit = nullptr;         // focus lost
  HWND TSetupForm1::*member = nullptr;
};

// The main window's children, in creation order: parents before their
// children. A friend of the window, so that its rows name private handlers.
struct ControlTable {
  static const ControlRow kRows[];
};

// The status bar's design height; the layout puts it at the bottom.
inline constexpr int kStatusBarHeight = 19;

// The row of the control with this command identifier, or null.
const ControlRow* RowById(int id);

}  // namespace korvath
