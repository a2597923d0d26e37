// The main window's layout: its controls at the window's size, by the layout
// rule, and at its pixel density. Created at their design places (96 dots
// per inch), the controls are moved to the scaled ones when the window opens
// at another density and whenever it changes.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "Application.h"
#include "CheckListBox.h"
#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "FileInfo.h"
#include "FileListBox.h"
#include "FilterComboBox.h"
#include "GlyphButton.h"
#include "Layout.h"
#include "Panel.h"
#include "Setup.h"
#include "SetupControls.h"
#include "StatusBar.h"
#include "StringGrid.h"
#include "Texts.h"
#include "UiFont.h"
#include "WideText.h"
#include "WindowDpi.h"

namespace korvath {

namespace {
constexpr int kMinWidth = 521, kMinHeight = 430;
}  // namespace

namespace {
// The widest time the status bar shows, in the user's format: a file's date
// in the shooting-date order ("撮影日時 2026/12/28 22:58:58", "Taken
// 12/28/2026 10:58:58 PM"), local time. The Japanese panels keep the
// widths Japanese users know in every other order (FormResize).
int TimePanelWidth(HFONT font, Dpi dpi) {
  SYSTEMTIME local{2026, 12, 0, 28, 22, 58, 58, 0}, universal{};
  FILETIME ticks{};
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) ||
      !SystemTimeToFileTime(&universal, &ticks)) {
    return 0;
  }
  const std::optional<std::string> time =
      LocalTimeText(static_cast<std::uint64_t>(ticks.dwHighDateTime) << 32 | ticks.dwLowDateTime);
  if (!time) return 0;
  WindowDC screen;
  SelectGuard select(screen.Get(), font);
  int widest = 0;
  for (TextId id : {kTextModifiedAt, kTextTakenAt}) {
    const std::wstring text = Widen(FormatText(id, {*time}));
    SIZE size{};
    GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  // The panel's borders and the status bar's margins beside the text.
  return widest + dpi.Scale(12);
}
}  // namespace

void TSetupForm1::CreateFonts() {
  font_.Reset(CreateUiFont(dpi_.FontHeight(12)));
  sampleFont_.Reset(CreateUiFont(dpi_.FontHeight(13)));
  smallFont_.Reset(CreateUiFont(dpi_.FontHeight(11)));
  timePanelWidth_ = TimePanelWidth(font_.Get(), dpi_);
}

// 521 x 430 at 96. At another density the client area that size leaves at
// 96 is scaled and the frame the window has now is added, so that the
// layout fits whatever the caption and menu bar have grown to.
SIZE TSetupForm1::MinTrackSize() const {
  if (dpi_.IsDesign() || !Handle()) return {kMinWidth, kMinHeight};
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
  const SIZE designFrame = FrameSize(style, exStyle, true, Dpi{});
  RECT window{}, client{};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  const int frameWidth = (window.right - window.left) - client.right;
  const int frameHeight = (window.bottom - window.top) - client.bottom;
  return {std::max(dpi_.Scale(kMinWidth - designFrame.cx) + frameWidth, dpi_.Scale(kMinWidth)),
          std::max(dpi_.Scale(kMinHeight - designFrame.cy) + frameHeight, dpi_.Scale(kMinHeight))};
}

// The window moved to a monitor of another density: fonts, controls and
// glyphs at the new one, then the size and place the system suggests, whose
// size change lays the window out.
// The title bar's, Alt+Tab's and the taskbar's icons, drawn from the image
// of their size at the window's density.
void TSetupForm1::SetIcons() {
  icons_.Set(Handle(), dpi_);
  if (Application.Handle()) appIcons_.Set(Application.Handle(), dpi_);
}

void TSetupForm1::FormDpiChanged(Dpi dpi, const RECT& suggested) {
  if (dpi != dpi_) {
    dpi_ = dpi;
    SetIcons();
    // The controls hold the old fonts until they are given the new ones.
    OwnedFont previous[] = {std::move(font_), std::move(sampleFont_), std::move(smallFont_)};
    CreateFonts();
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    ScaleControls(true);
  }
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  FormResize();
}

void TSetupForm1::FormResize() {
  if (!controlsCreated_) return;
  RECT window{}, client{}, bar{}, barClient{};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  // The status bar is aligned to the bottom with its design height.
  const int barHeight = dpi_.Scale(kStatusBarHeight);
  SetWindowPos(StatusBar1, nullptr, 0, client.bottom - barHeight, client.right, barHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(StatusBar1, &bar);
  GetClientRect(StatusBar1, &barClient);
  LayoutInput in;
  in.outerWidth = window.right - window.left;
  in.clientWidth = client.right;
  in.clientHeight = client.bottom;
  in.statusBarHeight = bar.bottom - bar.top;
  in.statusBarClientWidth = barClient.right;
  // In Japanese the time panel grows only for the shooting-date order's
  // labelled dates; in English its plain times need the room too.
  in.timePanelWidth = CurrentLanguage() == Language::Japanese && SortOrder() != FileOrder::ShootingDate
                          ? 0
                          : timePanelWidth_;
  MainWindowLayout out = ComputeMainWindowLayout(in, dpi_);

  auto place = [](HWND control, const Bounds& b) {
    SetWindowPos(control, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  SetWindowPos(Bevel1, nullptr, 0, 0, in.clientWidth, dpi_.Scale(8),
               SWP_NOZORDER | SWP_NOACTIVATE);
  RECT sample{};
  GetWindowRect(Panel4, &sample);
  SetWindowPos(Panel4, nullptr, 0, 0, out.samplePanelWidth, sample.bottom - sample.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  place(Panel5, out.browserColumn);
  RECT drive{};
  GetWindowRect(DriveComboBox1->Handle(), &drive);
  DriveComboBox1->SetBounds(0, 0, out.driveSelectorWidth, drive.bottom - drive.top);
  DirectoryListBox1->SetBounds(0, out.browserColumn.height - out.folderListHeight,
                               out.browserColumn.width, out.folderListHeight);
  place(CheckListBox1->Handle(), out.checkList);
  place(Panel9, out.previewPanel);
  place(Panel10, NamingColumnBounds(out.previewPanel, out.namingColumnWidth,
                                    PanelBevelWidth(kPanelRaisedInLoweredOut)));
  place(StringGrid1->Handle(), out.grid);
  StringGrid1->SetColumnWidths(out.gridColumn0, out.gridColumn1);

  int edges[5];
  int right = 0;
  for (int i = 0; i < 5; ++i) {
    right += out.statusPanelWidths[i];
    edges[i] = right;
  }
  SendMessageW(StatusBar1, SB_SETPARTS, 5, reinterpret_cast<LPARAM>(edges));

  HWND tools[] = {SpeedButton13, SpeedButton14, SpeedButton15};
  for (int i = 0; i < 3; ++i) {
    SetWindowPos(tools[i], nullptr, out.toolButtons[i].left, out.toolButtons[i].top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TSetupForm1::ScaleControls(bool place) {
  if (place) PlaceControls();
  CheckListBox1->SetDpi(dpi_, font_.Get());
  StringGrid1->SetDpi(dpi_, font_.Get());
  DirectoryListBox1->SetDpi(dpi_, font_.Get());
  DriveComboBox1->SetDpi(dpi_, font_.Get());
  for (int i = 0; const SetupRow* row = RowById(ControlId(i)); ++i) {
    if (row->kind == Kind::SpeedButton) SetSpeedButtonDpi(ControlByName(row->name), dpi_);
  }
}

void TSetupForm1::PlaceControls() {
  OwnedMemoryDC measure(CreateCompatibleDC(nullptr));
  for (int i = 0; const SetupRow* row = RowById(ControlId(i)); ++i) {
    HWND control = ControlByName(row->name);
    if (!control) continue;
    HFONT font = row->font == FontKind::Sample  ? sampleFont_.Get()
                 : row->font == FontKind::Small ? smallFont_.Get()
                                                : font_.Get();
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const Bounds b = Scaled(row->bounds, dpi_);
    constexpr UINT kMove = SWP_NOZORDER | SWP_NOACTIVATE;
    switch (row->kind) {
      case Kind::Label: {
        // As large as the caption in the new font.
        const std::wstring text = Widen(Text(row->text));
        SIZE extent{};
        SelectGuard selected(measure.Get(), font);
        GetTextExtentPoint32W(measure.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
        SetWindowPos(control, nullptr, b.left, b.top, extent.cx, extent.cy, kMove);
        break;
      }
      case Kind::ComboBox:
        // The height given is the dropped list's; the closed box follows the font.
        SetWindowPos(control, nullptr, b.left, b.top, b.width, b.height + dpi_.Scale(200), kMove);
        break;
      case Kind::DriveComboBox:
        DriveComboBox1->SetBounds(b.left, b.top, b.width, b.height);
        break;
      case Kind::FilterComboBox:
        FilterComboBox1->SetBounds(b.left, b.top, b.width, b.height);
        break;
      default:
        SetWindowPos(control, nullptr, b.left, b.top, b.width, b.height, kMove);
        break;
    }
  }
}

}  // namespace korvath
