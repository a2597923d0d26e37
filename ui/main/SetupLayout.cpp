// The main window's controls at the window's pixel density: created at
// their design places (96 dots per inch), they are moved to the scaled ones
// when the window opens at another density and whenever it changes.

#include <string>

#include "Setup.h"
#include "SetupControls.h"
#include "WideText.h"
#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "FileListBox.h"
#include "FilterComboBox.h"
#include "CheckListBox.h"
#include "GlyphButton.h"
#include "StringGrid.h"

namespace korvath {

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
        const std::wstring text = Widen(row->text);
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
