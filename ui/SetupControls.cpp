// The main window's children, created from the control table.

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "RenameSession.h"
#include "RenameTexts.h"
#include "TakenNames.h"
#include "Setup.h"
#include "SetupControls.h"
#include "browser/DirectoryListBox.h"
#include "browser/DriveComboBox.h"
#include "browser/FileListBox.h"
#include "browser/FilterComboBox.h"
#include "controls/CheckListBox.h"
#include "controls/GlyphButton.h"
#include "controls/Panel.h"
#include "controls/StatusBar.h"
#include "controls/StringGrid.h"

namespace korvath {

namespace {
constexpr int kFirstControlId = 100;
}  // namespace

#define KV_HWND(n) &TSetupForm1::n
constexpr unsigned kGlyphUp = static_cast<unsigned>(Glyph::TriangleUp);
constexpr unsigned kGlyphDown = static_cast<unsigned>(Glyph::TriangleDown);
constexpr unsigned kGlyphFolderUp = static_cast<unsigned>(Glyph::FolderUp);
constexpr unsigned kGlyphTicked = static_cast<unsigned>(Glyph::TickedBox);
constexpr unsigned kGlyphEmpty = static_cast<unsigned>(Glyph::EmptyBox);

// clang-format off
const ControlRow kControls[] = {
    // name, kind, parent, bounds, text, font, tab, style, exStyle, tag, click, exit, member
    {"Bevel1", Kind::Bevel, nullptr, {0, 0, 513, 8}, "", FontKind::Normal, 0, 0, 0, 0, nullptr, nullptr, KV_HWND(Bevel1)},
    {"Label8", Kind::Label, nullptr, {10, 21, 0, 0}, "対象ファイル選択:", FontKind::Normal, 0, 0, 0, 0, nullptr, nullptr, KV_HWND(Label8)},
    {"SpeedButton13", Kind::SpeedButton, nullptr, {111, 10, 24, 24}, "1つ上へ", FontKind::Normal, 0, kGlyphFolderUp, 0, 0, &TSetupForm1::SpeedButton13Click, nullptr, KV_HWND(SpeedButton13)},
    {"SpeedButton14", Kind::SpeedButton, nullptr, {143, 10, 24, 24}, "全選択", FontKind::Normal, 0, kGlyphTicked, 0, 0, &TSetupForm1::SpeedButton14Click, nullptr, KV_HWND(SpeedButton14)},
    {"SpeedButton15", Kind::SpeedButton, nullptr, {167, 10, 24, 24}, "全解除", FontKind::Normal, 0, kGlyphEmpty, 0, 0, &TSetupForm1::SpeedButton15Click, nullptr, KV_HWND(SpeedButton15)},
    {"Panel5", Kind::Panel, nullptr, {10, 36, 125, 285}, "", FontKind::Normal, 1, kPanelPlain, 0, 0, nullptr, nullptr, KV_HWND(Panel5)},
    {"DriveComboBox1", Kind::DriveComboBox, "Panel5", {0, 0, 125, 18}, "", FontKind::Normal, 1, 0, 0, 0, nullptr, nullptr, nullptr},
    {"DirectoryListBox1", Kind::DirectoryListBox, "Panel5", {0, 25, 125, 260}, "", FontKind::Normal, 2, 0, 0, 0, nullptr, nullptr, nullptr},
    {"FileListBox1", Kind::FileListBox, nullptr, {135, 36, 125, 285}, "", FontKind::Normal, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {"Edit1", Kind::Edit, nullptr, {10, 340, 146, 20}, "*.*", FontKind::Normal, 0, 0, 0, 0, nullptr, nullptr, KV_HWND(Edit1)},
    {"CheckListBox1", Kind::CheckListBox, nullptr, {144, 68, 121, 269}, "", FontKind::Normal, 3, 0, 0, 0, nullptr, nullptr, nullptr},
    {"Panel9", Kind::Panel, nullptr, {272, 10, 320, 351}, "", FontKind::Normal, 4, kPanelRaisedInLoweredOut, 0, 0, nullptr, nullptr, KV_HWND(Panel9)},
    {"Label9", Kind::Label, "Panel9", {10, 8, 0, 0}, "ファイル名(変換前→後):", FontKind::Normal, 0, 0, 0, 0, nullptr, nullptr, KV_HWND(Label9)},
    {"StringGrid1", Kind::StringGrid, "Panel9", {10, 23, 133, 298}, "", FontKind::Normal, 4, 0, 0, 0, nullptr, nullptr, nullptr},
    {"Panel10", Kind::Panel, "Panel9", {163, 2, 155, 347}, "", FontKind::Normal, 5, kPanelPlain, 0, 0, nullptr, nullptr, KV_HWND(Panel10)},
    {"Label7", Kind::Label, "Panel10", {0, 8, 0, 0}, "サンプル:", FontKind::Normal, 0, 0, 0, 0, nullptr, nullptr, KV_HWND(Label7)},
    {"Panel4", Kind::Panel, "Panel10", {0, 23, 145, 20}, "Sample.xxx", FontKind::Sample, 0, kPanelLoweredBevel, 0, 0, nullptr, nullptr, KV_HWND(Panel4)},
    {"Label1", Kind::Label, "Panel10", {0, 48, 0, 0}, "対象ファイルの種類:", FontKind::Normal, 0, 0, 0, 0, nullptr, nullptr, KV_HWND(Label1)},
    {"FilterComboBox1", Kind::FilterComboBox, "Panel10", {0, 63, 145, 20}, "", FontKind::Normal, 5, 0, 0, 0, nullptr, nullptr, nullptr},
    {"Label2", Kind::Label, "Panel10", {0, 88, 0, 0}, "接頭語:", FontKind::Normal, 0, 0, 0, 0, nullptr, nullptr, KV_HWND(Label2)},
    {"ComboBox1", Kind::ComboBox, "Panel10", {0, 103, 145, 20}, "", FontKind::Normal, 6, 0, 0, 0, &TSetupForm1::ComboBox1Change, &TSetupForm1::ComboBox1Exit, KV_HWND(ComboBox1)},
    {"Label3", Kind::Label, "Panel10", {0, 128, 0, 0}, "初期値:", FontKind::Normal, 0, 0, 0, 0, nullptr, nullptr, KV_HWND(Label3)},
    {"Label4", Kind::Label, "Panel10", {109, 128, 0, 0}, "桁数:", FontKind::Normal, 0, 0, 0, 0, nullptr, nullptr, KV_HWND(Label4)},
    {"Panel1", Kind::Panel, "Panel10", {0, 143, 104, 19}, "", FontKind::Normal, 0, kPanelPlain, WS_EX_CLIENTEDGE, 0, nullptr, nullptr, KV_HWND(Panel1)},
    {"SpeedButton1", Kind::SpeedButton, "Panel1", {0, 0, 20, 15}, "", FontKind::Small, 0, kGlyphUp, 0, 10000, &TSetupForm1::SpeedButton1Click, nullptr, KV_HWND(SpeedButton1)},
    {"SpeedButton2", Kind::SpeedButton, "Panel1", {20, 0, 20, 15}, "", FontKind::Small, 0, kGlyphUp, 0, 1000, &TSetupForm1::SpeedButton1Click, nullptr, KV_HWND(SpeedButton2)},
    {"SpeedButton3", Kind::SpeedButton, "Panel1", {40, 0, 20, 15}, "", FontKind::Small, 0, kGlyphUp, 0, 100, &TSetupForm1::SpeedButton1Click, nullptr, KV_HWND(SpeedButton3)},
    {"SpeedButton4", Kind::SpeedButton, "Panel1", {60, 0, 20, 15}, "", FontKind::Small, 0, kGlyphUp, 0, 10, &TSetupForm1::SpeedButton1Click, nullptr, KV_HWND(SpeedButton4)},
    {"SpeedButton5", Kind::SpeedButton, "Panel1", {80, 0, 20, 15}, "", FontKind::Small, 0, kGlyphUp, 0, 1, &TSetupForm1::SpeedButton1Click, nullptr, KV_HWND(SpeedButton5)},
    {"Panel2", Kind::Panel, "Panel10", {0, 162, 104, 20}, "", FontKind::Normal, 0, kPanelWindowColour, WS_EX_CLIENTEDGE, 0, nullptr, nullptr, KV_HWND(Panel2)},
    {"Panel6", Kind::Panel, "Panel10", {0, 182, 104, 19}, "", FontKind::Normal, 0, kPanelPlain, WS_EX_CLIENTEDGE, 0, nullptr, nullptr, KV_HWND(Panel6)},
    {"SpeedButton6", Kind::SpeedButton, "Panel6", {0, 0, 20, 15}, "", FontKind::Small, 0, kGlyphDown, 0, -10000, &TSetupForm1::SpeedButton1Click, nullptr, KV_HWND(SpeedButton6)},
    {"SpeedButton7", Kind::SpeedButton, "Panel6", {20, 0, 20, 15}, "", FontKind::Small, 0, kGlyphDown, 0, -1000, &TSetupForm1::SpeedButton1Click, nullptr, KV_HWND(SpeedButton7)},
    {"SpeedButton8", Kind::SpeedButton, "Panel6", {40, 0, 20, 15}, "", FontKind::Small, 0, kGlyphDown, 0, -100, &TSetupForm1::SpeedButton1Click, nullptr, KV_HWND(SpeedButton8)},
    {"SpeedButton9", Kind::SpeedButton, "Panel6", {60, 0, 20, 15}, "", FontKind::Small, 0, kGlyphDown, 0, -10, &TSetupForm1::SpeedButton1Click, nullptr, KV_HWND(SpeedButton9)},
    {"SpeedButton10", Kind::SpeedButton, "Panel6", {80, 0, 20, 15}, "", FontKind::Small, 0, kGlyphDown, 0, -1, &TSetupForm1::SpeedButton1Click, nullptr, KV_HWND(SpeedButton10)},
    {"Panel7", Kind::Panel, "Panel10", {109, 143, 35, 19}, "", FontKind::Normal, 0, kPanelPlain, WS_EX_CLIENTEDGE, 0, nullptr, nullptr, KV_HWND(Panel7)},
    {"SpeedButton11", Kind::SpeedButton, "Panel7", {0, 0, 31, 15}, "", FontKind::Small, 0, kGlyphUp, 0, 0, &TSetupForm1::SpeedButton11Click, nullptr, KV_HWND(SpeedButton11)},
    {"Panel3", Kind::Panel, "Panel10", {109, 162, 35, 20}, "", FontKind::Normal, 0, kPanelWindowColour, WS_EX_CLIENTEDGE, 0, nullptr, nullptr, KV_HWND(Panel3)},
    {"Panel8", Kind::Panel, "Panel10", {109, 183, 35, 19}, "", FontKind::Normal, 0, kPanelPlain, WS_EX_CLIENTEDGE, 0, nullptr, nullptr, KV_HWND(Panel8)},
    {"SpeedButton12", Kind::SpeedButton, "Panel8", {0, 0, 31, 15}, "", FontKind::Small, 0, kGlyphDown, 0, 0, &TSetupForm1::SpeedButton12Click, nullptr, KV_HWND(SpeedButton12)},
    {"Label10", Kind::Label, "Panel10", {0, 207, 0, 0}, "全半角:", FontKind::Normal, 0, 0, 0, 0, nullptr, nullptr, KV_HWND(Label10)},
    {"CheckBox1", Kind::CheckBox, "Panel10", {44, 205, 101, 17}, "全角数字にする", FontKind::Normal, 10, 0, 0, 0, &TSetupForm1::CheckBox1Click, nullptr, KV_HWND(CheckBox1)},
    {"Label5", Kind::Label, "Panel10", {0, 225, 0, 0}, "接尾語:", FontKind::Normal, 0, 0, 0, 0, nullptr, nullptr, KV_HWND(Label5)},
    {"ComboBox2", Kind::ComboBox, "Panel10", {0, 240, 145, 20}, "", FontKind::Normal, 7, 0, 0, 0, &TSetupForm1::ComboBox1Change, &TSetupForm1::ComboBox2Exit, KV_HWND(ComboBox2)},
    {"Label6", Kind::Label, "Panel10", {0, 265, 0, 0}, "拡張子:", FontKind::Normal, 0, 0, 0, 0, nullptr, nullptr, KV_HWND(Label6)},
    {"ComboBox3", Kind::ComboBox, "Panel10", {0, 280, 145, 20}, "(変更なし)", FontKind::Normal, 8, 0, 0, 0, &TSetupForm1::ComboBox1Change, nullptr, KV_HWND(ComboBox3)},
    {"BitBtn1", Kind::BitBtn, "Panel10", {27, 308, 90, 25}, "実行", FontKind::Normal, 9, 0, 0, 0, &TSetupForm1::BitBtn1Click, nullptr, KV_HWND(BitBtn1)},
    {"StatusBar1", Kind::StatusBar, nullptr, {0, 0, 0, kStatusBarHeight}, "", FontKind::Normal, 0, 0, 0, 0, nullptr, nullptr, KV_HWND(StatusBar1)},
};
// clang-format on
#undef KV_HWND

constexpr int kControlCount = static_cast<int>(sizeof(kControls) / sizeof(kControls[0]));

int ControlId(int index) { return kFirstControlId + index; }

const ControlRow* RowById(int id) {
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
  const ControlRow& row = kControls[index];
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
  HINSTANCE instance = GetModuleHandleA(nullptr);
  ToolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(),
                            nullptr, instance, nullptr);
  auto addTip = [&](HWND control, const char* text) {
    TOOLINFOA info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = Handle();
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<char*>(text);
    SendMessageA(ToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  };

  // Measures captions; freed on every way out, a throwing Create included.
  OwnedMemoryDC measureDC(CreateCompatibleDC(nullptr));
  HDC measure = measureDC.Get();
  for (int i = 0; i < kControlCount; ++i) {
    const ControlRow& row = kControls[i];
    HWND parent = row.parent ? ControlByName(row.parent) : Handle();
    HFONT font = row.font == FontKind::Sample  ? sampleFont_.Get()
                 : row.font == FontKind::Small ? smallFont_.Get()
                                                : font_.Get();
    const Bounds& b = row.bounds;
    int id = ControlId(i);
    HMENU menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    HWND created = nullptr;
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
          GetTextExtentPoint32A(measure, row.text, static_cast<int>(std::strlen(row.text)),
                                &extent);
        }
        created =
            CreateWindowExA(0, "STATIC", row.text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX, b.left,
                            b.top, extent.cx, extent.cy, parent, menuId, instance, nullptr);
        break;
      }
      case Kind::Panel:
        created =
            CreatePanel(parent, id, row.style, row.exStyle, b.left, b.top, b.width, b.height);
        SetWindowTextA(created, row.text);
        break;
      case Kind::SpeedButton:
        created = CreateSpeedButton(parent, id, static_cast<Glyph>(row.style), b.left, b.top,
                                    b.width, b.height);
        if (row.text[0]) addTip(created, row.text);
        break;
      case Kind::Edit:
        created =
            CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", row.text, WS_CHILD | ES_AUTOHSCROLL, b.left,
                            b.top, b.width, b.height, parent, menuId, instance, nullptr);
        break;
      case Kind::ComboBox:
        created = CreateWindowExA(
            0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
            b.left, b.top, b.width, b.height + 200, parent, menuId, instance, nullptr);
        break;
      case Kind::CheckBox:
        created =
            CreateWindowExA(0, "BUTTON", row.text, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, b.left,
                            b.top, b.width, b.height, parent, menuId, instance, nullptr);
        break;
      case Kind::BitBtn:
        created =
            CreateWindowExA(0, "BUTTON", row.text, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, b.left,
                            b.top, b.width, b.height, parent, menuId, instance, nullptr);
        addTip(created, "ファイル名変更実行");
        break;
      case Kind::StatusBar:
        // Placed by the layout, at the bottom with its design height.
        created = CreateStatusBar(parent, id, b.height);
        SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
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
      SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    if (created && row.tabOrder > 0 && row.kind != Kind::Panel) {
      LONG_PTR style = GetWindowLongPtrA(created, GWL_STYLE);
      SetWindowLongPtrA(created, GWL_STYLE, style | WS_TABSTOP);
    } else if (created && row.kind != Kind::Panel) {
      LONG_PTR style = GetWindowLongPtrA(created, GWL_STYLE);
      SetWindowLongPtrA(created, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_TABSTOP));
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

  for (const std::string_view choice : ExtensionChoices) {
    std::string item(choice);
    SendMessageA(ComboBox3, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SetWindowTextA(ComboBox3, std::string(KeepExtension).c_str());

  // The browser's links and events.
  FileListBox1->SetFileEdit(Edit1);
  DirectoryListBox1->SetFileList(FileListBox1.get());
  DriveComboBox1->SetDirList(DirectoryListBox1.get());
  FilterComboBox1->SetFileList(FileListBox1.get());
  DriveComboBox1->OnChange = [this] { DriveComboBox1Change(); };
  DirectoryListBox1->OnChange = [this] { DirectoryListBox1Change(); };
  FileListBox1->OnChange = [this] { takenNames_->Reset(fileSystem_.get(), FileListBox1->Directory()); };
  FileListBox1->OnChange();  // for the reading made at its creation
  FilterComboBox1->OnChange = [this] { DirectoryListBox1Change(); };
  CheckListBox1->OnClick = [this] { CheckListBox1Click(); };
  CheckListBox1->OnClickCheck = [this] { CheckListBox1Click(); };
}

}  // namespace korvath
