// The main window's children, created from the control table.

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "CheckListBox.h"
#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "FileListBox.h"
#include "FilterComboBox.h"
#include "GlyphButton.h"
#include "Panel.h"
#include "PreviewWork.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "Setup.h"
#include "SetupControls.h"
#include "StatusBar.h"
#include "StringGrid.h"
#include "Texts.h"
#include "WindowText.h"

namespace korvath {

namespace {
constexpr int kFirstControlId = 100;
}  // namespace

constexpr unsigned kGlyphUp = static_cast<unsigned>(Glyph::TriangleUp);
constexpr unsigned kGlyphDown = static_cast<unsigned>(Glyph::TriangleDown);
constexpr unsigned kGlyphFolderUp = static_cast<unsigned>(Glyph::FolderUp);
constexpr unsigned kGlyphTicked = static_cast<unsigned>(Glyph::TickedBox);
constexpr unsigned kGlyphEmpty = static_cast<unsigned>(Glyph::EmptyBox);

// clang-format off
const SetupRow ControlTable::kRows[] = {
    {.name = "Bevel1", .kind = Kind::Bevel, .bounds = {0, 0, 513, 8}, .member = &TSetupForm1::Bevel1},
    {.name = "Label8", .kind = Kind::Label, .bounds = {10, 21, 0, 0}, .text = kTextLabelFiles, .member = &TSetupForm1::Label8},
    {.name = "SpeedButton13", .kind = Kind::SpeedButton, .bounds = {111, 10, 24, 24}, .text = kTextTipFolderUp, .style = kGlyphFolderUp, .lockedInRun = true, .click = &TSetupForm1::SpeedButton13Click, .member = &TSetupForm1::SpeedButton13},
    {.name = "SpeedButton14", .kind = Kind::SpeedButton, .bounds = {143, 10, 24, 24}, .text = kTextTipCheckAll, .style = kGlyphTicked, .lockedInRun = true, .click = &TSetupForm1::SpeedButton14Click, .member = &TSetupForm1::SpeedButton14},
    {.name = "SpeedButton15", .kind = Kind::SpeedButton, .bounds = {167, 10, 24, 24}, .text = kTextTipUncheckAll, .style = kGlyphEmpty, .lockedInRun = true, .click = &TSetupForm1::SpeedButton15Click, .member = &TSetupForm1::SpeedButton15},
    {.name = "Panel5", .kind = Kind::Panel, .bounds = {10, 36, 125, 285}, .tabOrder = 1, .style = kPanelPlain, .member = &TSetupForm1::Panel5},
    {.name = "DriveComboBox1", .kind = Kind::DriveComboBox, .parent = "Panel5", .bounds = {0, 0, 125, 18}, .tabOrder = 1, .lockedInRun = true},
    {.name = "DirectoryListBox1", .kind = Kind::DirectoryListBox, .parent = "Panel5", .bounds = {0, 25, 125, 260}, .tabOrder = 2, .lockedInRun = true},
    {.name = "FileListBox1", .kind = Kind::FileListBox, .bounds = {135, 36, 125, 285}},
    {.name = "Edit1", .kind = Kind::Edit, .bounds = {10, 340, 146, 20}, .text = kTextAllFilesMask, .member = &TSetupForm1::Edit1},
    {.name = "CheckListBox1", .kind = Kind::CheckListBox, .bounds = {144, 68, 121, 269}, .tabOrder = 3, .lockedInRun = true},
    {.name = "Panel9", .kind = Kind::Panel, .bounds = {272, 10, 320, 351}, .tabOrder = 4, .style = kPanelRaisedInLoweredOut, .member = &TSetupForm1::Panel9},
    {.name = "Label9", .kind = Kind::Label, .parent = "Panel9", .bounds = {10, 8, 0, 0}, .text = kTextLabelPreview, .member = &TSetupForm1::Label9},
    {.name = "StringGrid1", .kind = Kind::StringGrid, .parent = "Panel9", .bounds = {10, 23, 133, 298}, .tabOrder = 4},
    {.name = "Panel10", .kind = Kind::Panel, .parent = "Panel9", .bounds = {163, 2, 155, 347}, .tabOrder = 5, .style = kPanelPlain, .member = &TSetupForm1::Panel10},
    {.name = "Label7", .kind = Kind::Label, .parent = "Panel10", .bounds = {0, 8, 0, 0}, .text = kTextLabelSample, .member = &TSetupForm1::Label7},
    {.name = "Panel4", .kind = Kind::Panel, .parent = "Panel10", .bounds = {0, 23, 145, 20}, .text = kTextDesignSample, .font = FontKind::Sample, .style = kPanelLoweredBevel, .member = &TSetupForm1::Panel4},
    {.name = "Label1", .kind = Kind::Label, .parent = "Panel10", .bounds = {0, 48, 0, 0}, .text = kTextLabelFileType, .member = &TSetupForm1::Label1},
    {.name = "FilterComboBox1", .kind = Kind::FilterComboBox, .parent = "Panel10", .bounds = {0, 63, 145, 20}, .tabOrder = 5, .lockedInRun = true},
    {.name = "Label2", .kind = Kind::Label, .parent = "Panel10", .bounds = {0, 88, 0, 0}, .text = kTextLabelPrefix, .member = &TSetupForm1::Label2},
    {.name = "ComboBox1", .kind = Kind::ComboBox, .parent = "Panel10", .bounds = {0, 103, 145, 20}, .tabOrder = 6, .lockedInRun = true, .click = &TSetupForm1::ComboBox1Change, .exit = &TSetupForm1::ComboBox1Exit, .member = &TSetupForm1::ComboBox1},
    {.name = "Label3", .kind = Kind::Label, .parent = "Panel10", .bounds = {0, 128, 0, 0}, .text = kTextLabelStartNumber, .member = &TSetupForm1::Label3},
    {.name = "Label4", .kind = Kind::Label, .parent = "Panel10", .bounds = {109, 128, 0, 0}, .text = kTextLabelDigitCount, .member = &TSetupForm1::Label4},
    {.name = "Panel1", .kind = Kind::Panel, .parent = "Panel10", .bounds = {0, 143, 104, 19}, .style = kPanelPlain, .exStyle = WS_EX_CLIENTEDGE, .member = &TSetupForm1::Panel1},
    {.name = "SpeedButton1", .kind = Kind::SpeedButton, .parent = "Panel1", .bounds = {0, 0, 20, 15}, .font = FontKind::Small, .style = kGlyphUp, .tag = 10000, .lockedInRun = true, .clickFrom = &TSetupForm1::SpeedButton1Click, .member = &TSetupForm1::SpeedButton1},
    {.name = "SpeedButton2", .kind = Kind::SpeedButton, .parent = "Panel1", .bounds = {20, 0, 20, 15}, .font = FontKind::Small, .style = kGlyphUp, .tag = 1000, .lockedInRun = true, .clickFrom = &TSetupForm1::SpeedButton1Click, .member = &TSetupForm1::SpeedButton2},
    {.name = "SpeedButton3", .kind = Kind::SpeedButton, .parent = "Panel1", .bounds = {40, 0, 20, 15}, .font = FontKind::Small, .style = kGlyphUp, .tag = 100, .lockedInRun = true, .clickFrom = &TSetupForm1::SpeedButton1Click, .member = &TSetupForm1::SpeedButton3},
    {.name = "SpeedButton4", .kind = Kind::SpeedButton, .parent = "Panel1", .bounds = {60, 0, 20, 15}, .font = FontKind::Small, .style = kGlyphUp, .tag = 10, .lockedInRun = true, .clickFrom = &TSetupForm1::SpeedButton1Click, .member = &TSetupForm1::SpeedButton4},
    {.name = "SpeedButton5", .kind = Kind::SpeedButton, .parent = "Panel1", .bounds = {80, 0, 20, 15}, .font = FontKind::Small, .style = kGlyphUp, .tag = 1, .lockedInRun = true, .clickFrom = &TSetupForm1::SpeedButton1Click, .member = &TSetupForm1::SpeedButton5},
    {.name = "Panel2", .kind = Kind::Panel, .parent = "Panel10", .bounds = {0, 162, 104, 20}, .tabOrder = 7, .style = kPanelWindowColour | kPanelSpinField, .exStyle = WS_EX_CLIENTEDGE, .lockedInRun = true, .member = &TSetupForm1::Panel2},
    {.name = "Panel6", .kind = Kind::Panel, .parent = "Panel10", .bounds = {0, 182, 104, 19}, .style = kPanelPlain, .exStyle = WS_EX_CLIENTEDGE, .member = &TSetupForm1::Panel6},
    {.name = "SpeedButton6", .kind = Kind::SpeedButton, .parent = "Panel6", .bounds = {0, 0, 20, 15}, .font = FontKind::Small, .style = kGlyphDown, .tag = -10000, .lockedInRun = true, .clickFrom = &TSetupForm1::SpeedButton1Click, .member = &TSetupForm1::SpeedButton6},
    {.name = "SpeedButton7", .kind = Kind::SpeedButton, .parent = "Panel6", .bounds = {20, 0, 20, 15}, .font = FontKind::Small, .style = kGlyphDown, .tag = -1000, .lockedInRun = true, .clickFrom = &TSetupForm1::SpeedButton1Click, .member = &TSetupForm1::SpeedButton7},
    {.name = "SpeedButton8", .kind = Kind::SpeedButton, .parent = "Panel6", .bounds = {40, 0, 20, 15}, .font = FontKind::Small, .style = kGlyphDown, .tag = -100, .lockedInRun = true, .clickFrom = &TSetupForm1::SpeedButton1Click, .member = &TSetupForm1::SpeedButton8},
    {.name = "SpeedButton9", .kind = Kind::SpeedButton, .parent = "Panel6", .bounds = {60, 0, 20, 15}, .font = FontKind::Small, .style = kGlyphDown, .tag = -10, .lockedInRun = true, .clickFrom = &TSetupForm1::SpeedButton1Click, .member = &TSetupForm1::SpeedButton9},
    {.name = "SpeedButton10", .kind = Kind::SpeedButton, .parent = "Panel6", .bounds = {80, 0, 20, 15}, .font = FontKind::Small, .style = kGlyphDown, .tag = -1, .lockedInRun = true, .clickFrom = &TSetupForm1::SpeedButton1Click, .member = &TSetupForm1::SpeedButton10},
    {.name = "Panel7", .kind = Kind::Panel, .parent = "Panel10", .bounds = {109, 143, 35, 19}, .style = kPanelPlain, .exStyle = WS_EX_CLIENTEDGE, .member = &TSetupForm1::Panel7},
    {.name = "SpeedButton11", .kind = Kind::SpeedButton, .parent = "Panel7", .bounds = {0, 0, 31, 15}, .font = FontKind::Small, .style = kGlyphUp, .lockedInRun = true, .click = &TSetupForm1::SpeedButton11Click, .member = &TSetupForm1::SpeedButton11},
    {.name = "Panel3", .kind = Kind::Panel, .parent = "Panel10", .bounds = {109, 162, 35, 20}, .tabOrder = 8, .style = kPanelWindowColour | kPanelSpinField, .exStyle = WS_EX_CLIENTEDGE, .lockedInRun = true, .member = &TSetupForm1::Panel3},
    {.name = "Panel8", .kind = Kind::Panel, .parent = "Panel10", .bounds = {109, 183, 35, 19}, .style = kPanelPlain, .exStyle = WS_EX_CLIENTEDGE, .member = &TSetupForm1::Panel8},
    {.name = "SpeedButton12", .kind = Kind::SpeedButton, .parent = "Panel8", .bounds = {0, 0, 31, 15}, .font = FontKind::Small, .style = kGlyphDown, .lockedInRun = true, .click = &TSetupForm1::SpeedButton12Click, .member = &TSetupForm1::SpeedButton12},
    {.name = "Label10", .kind = Kind::Label, .parent = "Panel10", .bounds = {0, 207, 0, 0}, .text = kTextLabelDigitWidth, .member = &TSetupForm1::Label10},
    {.name = "CheckBox1", .kind = Kind::CheckBox, .parent = "Panel10", .bounds = {44, 205, 101, 17}, .text = kTextCheckFullWidth, .tabOrder = 9, .lockedInRun = true, .click = &TSetupForm1::CheckBox1Click, .member = &TSetupForm1::CheckBox1},
    {.name = "Label5", .kind = Kind::Label, .parent = "Panel10", .bounds = {0, 225, 0, 0}, .text = kTextLabelSuffix, .member = &TSetupForm1::Label5},
    {.name = "ComboBox2", .kind = Kind::ComboBox, .parent = "Panel10", .bounds = {0, 240, 145, 20}, .tabOrder = 10, .lockedInRun = true, .click = &TSetupForm1::ComboBox1Change, .exit = &TSetupForm1::ComboBox2Exit, .member = &TSetupForm1::ComboBox2},
    {.name = "Label6", .kind = Kind::Label, .parent = "Panel10", .bounds = {0, 265, 0, 0}, .text = kTextLabelExtension, .member = &TSetupForm1::Label6},
    {.name = "ComboBox3", .kind = Kind::ComboBox, .parent = "Panel10", .bounds = {0, 280, 145, 20}, .text = kTextKeepExtension, .tabOrder = 11, .lockedInRun = true, .click = &TSetupForm1::ComboBox1Change, .member = &TSetupForm1::ComboBox3},
    {.name = "BitBtn1", .kind = Kind::BitBtn, .parent = "Panel10", .bounds = {27, 308, 90, 25}, .text = kTextExecute, .tabOrder = 12, .click = &TSetupForm1::BitBtn1Click, .member = &TSetupForm1::BitBtn1},
    {.name = "StatusBar1", .kind = Kind::StatusBar, .bounds = {0, 0, 0, kStatusBarHeight}, .member = &TSetupForm1::StatusBar1},
};
// clang-format on

const SetupRow* const kControls = ControlTable::kRows;
constexpr int kControlCount = static_cast<int>(std::size(ControlTable::kRows));

std::span<const SetupRow> ControlRows() { return ControlTable::kRows; }

int ControlId(int index) { return kFirstControlId + index; }

const SetupRow* RowById(int id) {
  int index = id - kFirstControlId;
  return index >= 0 && index < kControlCount ? &kControls[index] : nullptr;
}

int RowIndex(const char* name) {
  for (int i = 0; i < kControlCount; ++i) {
    if (std::strcmp(kControls[i].name, name) == 0) return i;
  }
  return -1;
}

HWND TSetupForm1::ControlByName(const char* name) const {
  int index = RowIndex(name);
  if (index < 0) return nullptr;
  const SetupRow& row = kControls[index];
  if (row.member) return this->*row.member;
  switch (row.kind) {
    case Kind::DriveComboBox:
      return DriveComboBox1 ? DriveComboBox1->Handle() : nullptr;
    case Kind::DirectoryListBox:
      return DirectoryListBox1 ? DirectoryListBox1->Handle() : nullptr;
    case Kind::FileListBox:
      return FileListBox1 ? FileListBox1->Handle() : nullptr;
    case Kind::FilterComboBox:
      return FilterComboBox1 ? FilterComboBox1->Handle() : nullptr;
    case Kind::CheckListBox:
      return CheckListBox1 ? CheckListBox1->Handle() : nullptr;
    case Kind::StringGrid:
      return StringGrid1 ? StringGrid1->Handle() : nullptr;
    default:
      return nullptr;
  }
}

void TSetupForm1::CreateControls() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  ToolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(),
                            nullptr, instance, nullptr);
  auto addTip = [&](HWND control, TextId text) {
    std::wstring tip = Widen(Text(text));  // the tooltip keeps its own copy
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = Handle();
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = tip.data();
    SendMessageW(ToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  };

  // Measures captions; freed on every way out, a throwing Create included.
  OwnedMemoryDC measureDC(CreateCompatibleDC(nullptr));
  HDC measure = measureDC.Get();
  for (int i = 0; i < kControlCount; ++i) {
    const SetupRow& row = kControls[i];
    HWND parent = row.parent ? ControlByName(row.parent) : Handle();
    HFONT font = row.font == FontKind::Sample  ? sampleFont_.Get()
                 : row.font == FontKind::Small ? smallFont_.Get()
                                               : font_.Get();
    const Bounds& b = row.bounds;
    int id = ControlId(i);
    HMENU menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    HWND created = nullptr;
    const std::wstring text = Widen(Text(row.text));
    switch (row.kind) {
      case Kind::Bevel:
        created = CreatePanel(parent, id, kPanelTopLine, 0, b.left, b.top, b.width, b.height);
        break;
      case Kind::Label: {
        // Labels size themselves to their caption, measured before they
        // are created so that each is placed once.
        SIZE extent{};
        {
          SelectGuard selected(measure, font);
          GetTextExtentPoint32W(measure, text.c_str(), static_cast<int>(text.size()), &extent);
        }
        created =
            CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX, b.left,
                            b.top, extent.cx, extent.cy, parent, menuId, instance, nullptr);
        break;
      }
      case Kind::Panel:
        created = CreatePanel(parent, id, row.style, row.exStyle, b.left, b.top, b.width, b.height);
        SetWindowTextW(created, text.c_str());
        break;
      case Kind::SpeedButton:
        created = CreateSpeedButton(parent, id, static_cast<Glyph>(row.style), b.left, b.top,
                                    b.width, b.height);
        if (row.text != kTextNone) addTip(created, row.text);
        break;
      case Kind::Edit:
        created =
            CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text.c_str(), WS_CHILD | ES_AUTOHSCROLL,
                            b.left, b.top, b.width, b.height, parent, menuId, instance, nullptr);
        break;
      case Kind::ComboBox:
        created = CreateWindowExW(
            0, L"COMBOBOX", L"",
            WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, b.left, b.top,
            b.width, b.height + 200, parent, menuId, instance, nullptr);
        break;
      case Kind::CheckBox:
        created =
            CreateWindowExW(0, L"BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
                            b.left, b.top, b.width, b.height, parent, menuId, instance, nullptr);
        break;
      case Kind::BitBtn:
        created =
            CreateWindowExW(0, L"BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                            b.left, b.top, b.width, b.height, parent, menuId, instance, nullptr);
        addTip(created, kTextTipExecute);
        break;
      case Kind::StatusBar:
        // Placed by the layout, at the bottom with its design height.
        created = CreateStatusBar(parent, id, b.height);
        SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        break;
      case Kind::DriveComboBox:
        DriveComboBox1 = std::make_unique<TDriveComboBox>();
        children_.push_back(DriveComboBox1.get());
        DriveComboBox1->Create(parent, id, b.left, b.top, b.width, b.height, font);
        created = DriveComboBox1->Handle();
        break;
      case Kind::DirectoryListBox:
        DirectoryListBox1 = std::make_unique<TDirectoryListBox>();
        children_.push_back(DirectoryListBox1.get());
        DirectoryListBox1->Create(parent, id, b.left, b.top, b.width, b.height, font);
        created = DirectoryListBox1->Handle();
        break;
      case Kind::FileListBox: {
        FileListBox1 = std::make_unique<TFileListBox>();
        children_.push_back(FileListBox1.get());
        // The folder list has just searched the same folder: a large start-up
        // folder is read once, not twice.
        std::vector<FolderEntry> listing =
            DirectoryListBox1 ? DirectoryListBox1->TakeListing() : std::vector<FolderEntry>{};
        FileListBox1->Create(parent, id, b.left, b.top, b.width, b.height, font,
                             DirectoryListBox1 ? &listing : nullptr);
        created = FileListBox1->Handle();
        break;
      }
      case Kind::FilterComboBox:
        FilterComboBox1 = std::make_unique<TFilterComboBox>();
        children_.push_back(FilterComboBox1.get());
        FilterComboBox1->Create(parent, id, b.left, b.top, b.width, b.height, font);
        created = FilterComboBox1->Handle();
        break;
      case Kind::CheckListBox:
        CheckListBox1 = std::make_unique<TCheckListBox>();
        children_.push_back(CheckListBox1.get());
        CheckListBox1->Create(parent, id, b.left, b.top, b.width, b.height, font, session_->Files);
        created = CheckListBox1->Handle();
        break;
      case Kind::StringGrid:
        StringGrid1 = std::make_unique<TStringGrid>();
        children_.push_back(StringGrid1.get());
        StringGrid1->Create(parent, id, b.left, b.top, b.width, b.height, font);
        created = StringGrid1->Handle();
        break;
    }
    if (row.member) this->*row.member = created;
    if (created && row.kind != Kind::StatusBar) {
      SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    // Containers hold tab stops; a spin-field panel is one.
    const bool tabStop =
        row.tabOrder > 0 && (row.kind != Kind::Panel || (row.style & kPanelSpinField));
    if (created && tabStop) {
      LONG_PTR style = GetWindowLongPtrW(created, GWL_STYLE);
      SetWindowLongPtrW(created, GWL_STYLE, style | WS_TABSTOP);
    } else if (created && row.kind != Kind::Panel) {
      LONG_PTR style = GetWindowLongPtrW(created, GWL_STYLE);
      SetWindowLongPtrW(created, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    }
  }

  // The Tab key walks siblings in Z order: put the tab stops (and the
  // containers holding them) at the bottom in their tab order.
  std::vector<int> ordered;
  for (int i = 0; i < kControlCount; ++i) {
    if (kControls[i].tabOrder > 0) ordered.push_back(i);
  }
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](int a, int b) { return kControls[a].tabOrder < kControls[b].tabOrder; });
  for (int index : ordered) {
    HWND control = ControlByName(kControls[index].name);
    SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  }

  SendMessageW(ComboBox3, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(KeepExtension).c_str()));
  for (const std::string_view choice : FixedExtensions) {
    SendMessageW(ComboBox3, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(choice).c_str()));
  }
  SetWindowTextUtf8(ComboBox3, KeepExtension);

  // The browser's links and events.
  FileListBox1->SetFileEdit(Edit1);
  DirectoryListBox1->SetFileList(FileListBox1.get());
  DriveComboBox1->SetDirList(DirectoryListBox1.get());
  FilterComboBox1->SetFileList(FileListBox1.get());
  DriveComboBox1->OnChange = [this] { DriveComboBox1Change(); };
  DirectoryListBox1->OnChange = [this] { DirectoryListBox1Change(); };
  FileListBox1->OnChange = [this] {
    previewWork_->ResetTakenNames(fileSystem_.get(), FileListBox1->Directory());
  };
  FileListBox1->OnChange();  // for the reading made at its creation
  FilterComboBox1->OnChange = [this] { DirectoryListBox1Change(); };
  CheckListBox1->OnClickCheck = [this] { CheckListBox1Click(); };
  CheckListBox1->OnMoveLine = [this](int from, int to) { CheckListBox1MoveLine(from, to); };
}

}  // namespace korvath
