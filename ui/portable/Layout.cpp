#include "Layout.h"

#include "RenameTexts.h"

namespace korvath {

namespace {
// Design places that the rule keeps.
constexpr int kBrowserLeft = 10;
constexpr int kBrowserTop = 36;
constexpr int kSamplePanelWidth = 145;
constexpr int kDriveSelectorHeightInRule = 18;
}  // namespace

std::array<int, 5> StatusPanelWidths(int statusBarClientWidth) {
  int unit = (statusBarClientWidth - 120) / 8;
  return {unit * 3, unit * 2, unit * 3, 96, 24};
}

Bounds NamingColumnBounds(const Bounds& previewPanel, int namingColumnWidth, int bevelWidth) {
  return {previewPanel.width - bevelWidth - namingColumnWidth, bevelWidth, namingColumnWidth,
          previewPanel.height - 2 * bevelWidth};
}

MainWindowLayout ComputeMainWindowLayout(const LayoutInput& in) {
  MainWindowLayout out;
  const int cw = in.clientWidth;
  const int ch = in.clientHeight;
  const int sbh = in.statusBarHeight;

  out.samplePanelWidth = kSamplePanelWidth;
  out.namingColumnWidth = out.samplePanelWidth + 10;

  const int columnHeight = ch - sbh - 46;
  // The lists' width comes from the outer width, the grid's from the client
  // width: the two differ by the frame.
  const int listWidth = (in.outerWidth - out.namingColumnWidth - 50) / 7 * 2;
  out.browserColumn = {kBrowserLeft, kBrowserTop, listWidth, columnHeight};
  out.folderListHeight = columnHeight - kDriveSelectorHeightInRule;
  out.driveSelectorWidth = listWidth;
  out.checkList = {listWidth + 10, 36, listWidth, columnHeight};

  out.grid.top = 23;
  out.grid.width = (cw - out.namingColumnWidth - 50) / 7 * 3;
  out.grid.height = ch - sbh - 30 - out.grid.top;
  out.grid.left = 8;
  PreviewColumnWidths columns = ComputePreviewColumnWidths(out.grid.width);
  out.gridColumn0 = columns.Column0;
  out.gridColumn1 = columns.Column1;

  out.previewPanel.width = cw - out.browserColumn.width - out.checkList.width - 30;
  out.previewPanel.height = ch - sbh - 20;
  out.previewPanel.left = cw - out.previewPanel.width - 10;
  out.previewPanel.top = 10;

  out.statusPanelWidths = StatusPanelWidths(in.statusBarClientWidth);
  out.toolButtons = {ButtonPlace{108, 10}, ButtonPlace{140, 10}, ButtonPlace{164, 10}};
  return out;
}

}  // namespace korvath
