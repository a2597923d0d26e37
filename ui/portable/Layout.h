#pragma once
// The main window's layout rule as plain arithmetic: from the window's outer
// width, its client size and the status bar's size to the bounds of the
// controls that follow the window's size. No window handles here, so the
// rule can be checked against worked examples directly.

#include <array>

#include "Dpi.h"
#include "RenameTexts.h"

namespace korvath {

struct LayoutInput {
  int outerWidth = 0;   // the window's width, frame included
  int clientWidth = 0;  // client area
  int clientHeight = 0;
  int statusBarHeight = 0;  // 0 while the status bar is hidden
  int statusBarClientWidth = 0;
  int timePanelWidth = 0;  // what the widest time text needs; 0: the rule's share
};

struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

struct ButtonPlace {
  int left = 0, top = 0;
  friend bool operator==(const ButtonPlace&, const ButtonPlace&) = default;
};

struct MainWindowLayout {
  int samplePanelWidth = 0;   // Panel4
  int namingColumnWidth = 0;  // Panel10
  Bounds browserColumn;       // Panel5: drive selector above the folder list
  int driveSelectorWidth = 0;
  int folderListHeight = 0;
  Bounds checkList;  // CheckListBox1
  Bounds grid;       // StringGrid1, inside Panel9
  int gridColumn0 = 0, gridColumn1 = 0;
  Bounds previewPanel;  // Panel9
  std::array<int, 5> statusPanelWidths{};
  std::array<ButtonPlace, 3> toolButtons{};  // SpeedButton13, 14, 15
};

// At the window's pixel density dpi: every design length is scaled, the
// rule's divisions stay.
MainWindowLayout ComputeMainWindowLayout(const LayoutInput& in, Dpi dpi = {});

// Status panels 0 to 4 for the status bar's client width. A time panel that
// needs more than its share (an English date, "12/28/2026 10:58:58 PM")
// takes it from the name's panel, which keeps at least a third of its own.
std::array<int, 5> StatusPanelWidths(int statusBarClientWidth, Dpi dpi = {},
                                     int timePanelWidth = 0);

// The preview grid's two columns for its outer width.
PreviewColumnWidths GridColumnWidths(int gridWidth, Dpi dpi = {});

// A design rectangle (96 dots per inch) at the given density.
inline Bounds Scaled(const Bounds& design, Dpi dpi) {
  return dpi.ScaleRect<Bounds>(design.left, design.top, design.width, design.height);
}

// Where the naming column sits inside Panel9: aligned to the right edge of
// the panel's area inside its two bevels.
Bounds NamingColumnBounds(const Bounds& previewPanel, int namingColumnWidth, int bevelWidth);

}  // namespace korvath
