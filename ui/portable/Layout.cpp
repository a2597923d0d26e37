#include "Layout.h"

#include <algorithm>

#include "RenameTexts.h"

namespace korvath {

namespace {
// Design places that the rule keeps.
constexpr int kBrowserLeft = 10;
constexpr int kBrowserTop = 36;
constexpr int kSamplePanelWidth = 145;
constexpr int kDriveSelectorHeightInRule = 18;
}  // namespace

std::array<int, 5> StatusPanelWidths(int statusBarClientWidth, Dpi dpi, int timePanelWidth) {
  int unit = (statusBarClientWidth - dpi.Scale(120)) / 8;
  std::array<int, 5> widths{unit * 3, unit * 2, unit * 3, dpi.Scale(96), dpi.Scale(24)};
  const int more = std::clamp(timePanelWidth - widths[2], 0, std::max(0, unit * 2));
  widths[0] -= more;
  widths[2] += more;
  return widths;
}

PreviewColumnWidths GridColumnWidths(int gridWidth, Dpi dpi) {
  if (dpi.IsDesign()) return ComputePreviewColumnWidths(gridWidth);
  // The 13 and 12 pixels left over hold the grid's scroll bar and lines.
  return {gridWidth / 2 - dpi.Scale(13), gridWidth / 2 - dpi.Scale(12)};
}

Bounds NamingColumnBounds(const Bounds& previewPanel, int namingColumnWidth, int bevelWidth) {
  return {previewPanel.width - bevelWidth - namingColumnWidth, bevelWidth, namingColumnWidth,
          previewPanel.height - 2 * bevelWidth};
}

MainWindowLayout ComputeMainWindowLayout(const LayoutInput& in, Dpi dpi) {
  MainWindowLayout out;
  const int cw = in.clientWidth;
  const int ch = in.clientHeight;
  const int sbh = in.statusBarHeight;
  // Every design length at the window's density; at 96 each is itself.
  auto s = [dpi](int length) { return dpi.Scale(length); };

  out.samplePanelWidth = s(kSamplePanelWidth);
  // The 10-pixel seams are scaled once and added up, so that the edges that
  // meet at 96 still meet at any density.
  const int gap = s(10);
  out.namingColumnWidth = out.samplePanelWidth + gap;

  const int columnHeight = ch - sbh - s(kBrowserTop) - gap;  // 46 at 96
  // The lists' width comes from the outer width, the grid's from the client
  // width: the two differ by the frame.
  const int listWidth = (in.outerWidth - out.namingColumnWidth - s(50)) / 7 * 2;
  out.browserColumn = {s(kBrowserLeft), s(kBrowserTop), listWidth, columnHeight};
  out.folderListHeight = columnHeight - s(kDriveSelectorHeightInRule);
  out.driveSelectorWidth = listWidth;
  out.checkList = {listWidth + gap, s(kBrowserTop), listWidth, columnHeight};

  out.grid.top = s(23);
  out.grid.width = (cw - out.namingColumnWidth - s(50)) / 7 * 3;
  out.grid.height = ch - sbh - 3 * gap - out.grid.top;
  out.grid.left = s(8);
  PreviewColumnWidths columns = GridColumnWidths(out.grid.width, dpi);
  out.gridColumn0 = columns.Column0;
  out.gridColumn1 = columns.Column1;

  out.previewPanel.width = cw - out.browserColumn.width - out.checkList.width - 3 * gap;
  out.previewPanel.height = ch - sbh - 2 * gap;
  out.previewPanel.left = cw - out.previewPanel.width - gap;
  out.previewPanel.top = gap;

  out.statusPanelWidths = StatusPanelWidths(in.statusBarClientWidth, dpi, in.timePanelWidth);
  out.toolButtons = {ButtonPlace{s(108), s(10)}, ButtonPlace{s(140), s(10)},
                     ButtonPlace{s(164), s(10)}};
  return out;
}

}  // namespace korvath
