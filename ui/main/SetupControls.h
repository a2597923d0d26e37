#pragma once
// The main window's control table, shared by the file that creates the
// controls from it and the window procedure that routes their commands.

#include <windows.h>

#include <span>

#include "ControlRow.h"
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

// One child of the main window. style is a panel's flags, or the glyph of a
// speed button; tabOrder on a container is its first child's.
using SetupRow = ControlRow<TSetupForm1, Kind>;

// The main window's children, in creation order: parents before their
// children. A friend of the window, so that its rows name private handlers.
struct ControlTable {
  static const SetupRow kRows[];
};

// The status bar's design height; the layout puts it at the bottom.
inline constexpr int kStatusBarHeight = 19;

// Every row of the table, in creation order.
std::span<const SetupRow> ControlRows();
// The row of the control with this command identifier, or null.
const SetupRow* RowById(int id);
// The command identifier of the table's row number index.
int ControlId(int index);

}  // namespace korvath
