#include "Setup.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Application.h"
#include "FileInfo.h"
#include "Layout.h"
#include "MessageBox.h"
#include "PreviewRows.h"
#include "RenameRun.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "RenameUndo.h"
#include "TakenNames.h"
#include "Win32FileSystem.h"
#include "browser/DirectoryListBox.h"
#include "browser/DriveComboBox.h"
#include "browser/FileListBox.h"
#include "browser/FilterComboBox.h"
#include "controls/CheckListBox.h"
#include "UiFont.h"
#include "controls/GlyphButton.h"
#include "controls/Panel.h"
#include "controls/StatusBar.h"
#include "controls/StringGrid.h"

namespace korvath {

TSetupForm1* SetupForm1 = nullptr;

namespace {

constexpr int kDesignLeft = 198;
constexpr int kDesignTop = 95;
constexpr int kDesignWidth = 521;
constexpr int kDesignHeight = 414;
constexpr int kMinWidth = 521, kMinHeight = 430;
constexpr int kMaxWidth = 1600, kMaxHeight = 1200;
constexpr int kStatusBarHeight = 19;
constexpr int kFirstControlId = 100;

// The window that the key preview hook reports to (there is one main window).
TSetupForm1* keyPreviewForm = nullptr;

}  // namespace

// ---------------------------------------------------------------------------
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

// ---------------------------------------------------------------------------
// The menu table. Win32 menus cannot hide an item, so each menu is rebuilt
// from its items whenever one is shown or hidden.

enum MenuIndex { kMenuFile, kMenuSelect, kMenuView, kMenuHelp, kMenuPopup, kMenuSort, kMenuCount };

struct MenuItemRow {
  int menu;
  UINT command;
  std::string caption;  // empty: separator
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  int submenu = -1;    // a MenuIndex: the item opens that menu
  bool radio = false;  // checked with a bullet, one of a group
};

struct TSetupForm1::MenuState {
  std::array<HMENU, kMenuCount> menus{};
  std::vector<MenuItemRow> items;
};

namespace {
const char* const kMenuTitles[] = {"ファイル/&File", "選択/&Select", "表示/&View", "ヘルプ/&Help"};

std::vector<MenuItemRow> MenuItems() {
  return {
      {kMenuFile, kCmdKUndo1, "元に戻す/&Undo", true, false},
      {kMenuFile, kCmdKProperty1, "プロパティ/&Property..."},
      {kMenuFile, kCmdN1, ""},
      {kMenuFile, kCmdN11, "(&1)C:\\"},
      {kMenuFile, kCmdN21, "(&2)C:\\"},
      {kMenuFile, kCmdN31, "(&3)C:\\"},
      {kMenuFile, kCmdN41, "(&4)C:\\"},
      {kMenuFile, kCmdN51, "(&5)C:\\"},
      {kMenuFile, kCmdN61, "(&6)C:\\"},
      {kMenuFile, kCmdN2, ""},
      {kMenuFile, kCmdKExit1, "終了/&Exit"},
      {kMenuSelect, kCmdSelectAll1, "すべて選択/&All"},
      {kMenuSelect, kCmdChange1, "選択の切り替え/&Change"},
      {kMenuSelect, kCmdNot1, "すべて未選択/&Not"},
      {kMenuView, kCmdKStatus1, "ステータスバー/&Status", false},
      {kMenuView, kCmdKRenew1, "最新の状態に更新/&Renew"},
      {kMenuView, kCmdN3, ""},
      {kMenuView, kCmdKOption1, "オプション/&Option..."},
      {kMenuView, kCmdKSort1, "並び順/&Sort", true, true, false, kMenuSort},
      {kMenuSort, kCmdKName1, "名前順/&Name", true, true, true, -1, true},
      {kMenuSort, kCmdKNatural1, "自然順/&Natural", true, true, false, -1, true},
      {kMenuSort, kCmdKDate1, "更新日時順/&Date", true, true, false, -1, true},
      {kMenuHelp, kCmdWeb1, "Webサイトへアクセス/&Web"},
      {kMenuHelp, kCmdN4, ""},
      {kMenuHelp, kCmdKAbout1, "バージョン情報/&About..."},
      {kMenuPopup, kCmdKProperty2, "プロパティ/&Property..."},
  };
}
}  // namespace

// ---------------------------------------------------------------------------
// Construction and creation

TSetupForm1::TSetupForm1()
    : session_(std::make_unique<RenameSession>(*this)),
      preview_(std::make_unique<PreviewRows>()),
      fileSystem_(std::make_unique<Win32FileSystem>()),
      takenNames_(std::make_unique<TakenNames>()),
      menus_(std::make_unique<MenuState>()) {
  preview_->SetTakenNames(takenNames_.get());
}

TSetupForm1::~TSetupForm1() {
  if (keyPreview_) UnhookWindowsHookEx(keyPreview_);
  if (keyPreviewForm == this) keyPreviewForm = nullptr;
  if (Handle() && IsWindow(Handle())) {
    SetMenu(Handle(), nullptr);
    DestroyWindow(Handle());
  }
  // Menus not attached to a window are not destroyed with it.
  if (menus_->menus[kMenuPopup]) DestroyMenu(menus_->menus[kMenuPopup]);
  if (MainMenu1) DestroyMenu(MainMenu1);
}

void TSetupForm1::Create() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  font_.Reset(CreateUiFont(12));
  sampleFont_.Reset(CreateUiFont(13));
  smallFont_.Reset(CreateUiFont(11));

  CreateParams p;
  p.className = "TSetupForm1";
  p.caption = "Korvath ver1.7";
  p.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  p.exStyle = WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;  // folders and files dropped from Explorer
  p.left = kDesignLeft;
  p.top = kDesignTop;
  p.width = kDesignWidth;
  p.height = kDesignHeight;
  p.owner = Application.Handle();
  p.icon = LoadIconA(Application.Instance() ? Application.Instance() : GetModuleHandleA(nullptr),
                     MAKEINTRESOURCEA(1));
  CreateHandle(p);
  // Created first, this is the application's main window.
  if (!IsWindow(Application.MainWindow())) Application.SetMainWindow(Handle());
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);

  CreateControls();
  // From here every size change lays the controls out, the menu bar's
  // arrival included.
  controlsCreated_ = true;
  CreateMenus();

  keyPreviewForm = this;
  keyPreview_ =
      SetWindowsHookExA(WH_GETMESSAGE, &TSetupForm1::KeyPreviewHook, nullptr, GetCurrentThreadId());
  // No window procedure surrounds the creation sequence: its errors end in
  // the general error report here, and the window still opens.
  Application.Guard([this] { FormCreate(); });
  lastFocus_ = DriveComboBox1->Handle();
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

void TSetupForm1::CreateMenus() {
  menus_->items = MenuItems();
  MainMenu1 = CreateMenu();
  for (int m = 0; m < kMenuPopup; ++m) {
    menus_->menus[m] = CreatePopupMenu();
    AppendMenuA(MainMenu1, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menus_->menus[m]),
                kMenuTitles[m]);
  }
  menus_->menus[kMenuPopup] = CreatePopupMenu();
  menus_->menus[kMenuSort] = CreatePopupMenu();
  KSort1 = menus_->menus[kMenuSort];
  KFile1 = menus_->menus[kMenuFile];
  Edit2 = menus_->menus[kMenuSelect];
  KView1 = menus_->menus[kMenuView];
  KHelp1 = menus_->menus[kMenuHelp];
  PopupMenu1 = menus_->menus[kMenuPopup];
  for (int m = 0; m < kMenuCount; ++m) RebuildMenu(m);
  SetMenu(Handle(), MainMenu1);
}

void TSetupForm1::RebuildMenu(int menuIndex) {
  HMENU menu = menus_->menus[menuIndex];
  // Removed, not deleted: a submenu stays for the next rebuild.
  while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
  for (const MenuItemRow& item : menus_->items) {
    if (item.menu != menuIndex || !item.visible) continue;
    if (item.caption.empty()) {
      AppendMenuA(menu, MF_SEPARATOR, item.command, nullptr);
    } else if (item.submenu >= 0) {
      AppendMenuA(menu, MF_POPUP | MF_STRING,
                  reinterpret_cast<UINT_PTR>(menus_->menus[item.submenu]), item.caption.c_str());
    } else {
      UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED) |
                   (item.checked ? MF_CHECKED : MF_UNCHECKED);
      AppendMenuA(menu, flags, item.command, item.caption.c_str());
      if (item.radio) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_STRING | MFT_RADIOCHECK;
        SetMenuItemInfoA(menu, item.command, FALSE, &info);
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Menu item access

namespace {
MenuItemRow* Find(std::vector<MenuItemRow>& items, UINT command) {
  for (MenuItemRow& item : items) {
    if (item.command == command) return &item;
  }
  return nullptr;
}
}  // namespace

void TSetupForm1::SetMenuItemVisible(UINT command, bool visible) {
  MenuItemRow* item = Find(menus_->items, command);
  if (!item || item->visible == visible) return;
  item->visible = visible;
  RebuildMenu(item->menu);
}

bool TSetupForm1::MenuItemVisible(UINT command) const {
  const MenuItemRow* item = Find(menus_->items, command);
  return item && item->visible;
}

void TSetupForm1::SetMenuItemCaption(UINT command, const std::string& caption) {
  MenuItemRow* item = Find(menus_->items, command);
  if (!item || item->caption == caption) return;
  item->caption = caption;
  RebuildMenu(item->menu);
}

std::string TSetupForm1::MenuItemCaption(UINT command) const {
  const MenuItemRow* item = Find(menus_->items, command);
  return item ? item->caption : std::string();
}

void TSetupForm1::SetMenuItemEnabled(UINT command, bool enabled) {
  MenuItemRow* item = Find(menus_->items, command);
  if (!item) return;
  item->enabled = enabled;
  EnableMenuItem(menus_->menus[item->menu], command,
                 MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool TSetupForm1::MenuItemEnabled(UINT command) const {
  const MenuItemRow* item = Find(menus_->items, command);
  return item && item->enabled;
}

void TSetupForm1::SetMenuItemChecked(UINT command, bool checked) {
  MenuItemRow* item = Find(menus_->items, command);
  if (!item) return;
  item->checked = checked;
  CheckMenuItem(menus_->menus[item->menu], command,
                MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool TSetupForm1::MenuItemChecked(UINT command) const {
  const MenuItemRow* item = Find(menus_->items, command);
  return item && item->checked;
}

// ---------------------------------------------------------------------------
// Small services

std::string TSetupForm1::WindowText(HWND window) {
  if (!window) return {};
  int length = GetWindowTextLengthA(window);
  std::string text(length + 1, '\0');
  text.resize(GetWindowTextA(window, text.data(), length + 1));
  return text;
}

std::string TSetupForm1::PrefixText() const { return WindowText(ComboBox1); }
std::string TSetupForm1::SuffixText() const { return WindowText(ComboBox2); }
std::string TSetupForm1::ExtensionText() const { return WindowText(ComboBox3); }
bool TSetupForm1::FullWidthChecked() const {
  return SendMessageA(CheckBox1, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TSetupForm1::SetStatusText(int panel, const std::string& text) {
  if (panel < 0 || panel >= static_cast<int>(statusTexts_.size())) return;
  // Switching the mode repaints the whole bar, so only when it is needed;
  // an unchanged text is not written again, which costs a repaint.
  bool simple = SendMessageA(StatusBar1, SB_ISSIMPLE, 0, 0) != FALSE;
  if (simple) SendMessageA(StatusBar1, SB_SIMPLE, FALSE, 0);
  if (!simple && statusWritten_[panel] && statusTexts_[panel] == text) return;
  statusWritten_[panel] = true;
  statusTexts_[panel] = text;
  // A leading tab centres the text in its panel; the last panel is flat.
  std::string shown = "\t" + text;
  WPARAM type = panel == kPanelSpare ? SBT_NOBORDERS : 0;
  SendMessageA(StatusBar1, SB_SETTEXTA, panel | type, reinterpret_cast<LPARAM>(shown.c_str()));
}

std::string TSetupForm1::StatusText(int panel) const {
  if (panel < 0 || panel >= static_cast<int>(statusTexts_.size())) return {};
  return statusTexts_[panel];
}

bool TSetupForm1::StatusBarVisible() const { return IsWindowVisible(StatusBar1) != FALSE; }

int TSetupForm1::HighlightedIndex() const { return CheckListBox1->ItemIndex(); }

void TSetupForm1::ShowFolder(const std::string& path) { DirectoryListBox1->ShowFolder(path); }

std::string TSetupForm1::ShownFolder() const { return DirectoryListBox1->Directory(); }

int TSetupForm1::FileListCount() const { return FileListBox1->Count(); }

void TSetupForm1::ApplyFilter(const std::string& filterString) {
  FilterComboBox1->ApplyFilter(filterString);
}

// ---------------------------------------------------------------------------
// Window procedure

LRESULT CALLBACK TSetupForm1::KeyPreviewHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && wparam == PM_REMOVE && keyPreviewForm) {
    const MSG* msg = reinterpret_cast<const MSG*>(lparam);
    HWND form = keyPreviewForm->Handle();
    if (msg->message == WM_KEYDOWN && form && (msg->hwnd == form || IsChild(form, msg->hwnd))) {
      // The hook runs outside any window procedure: keep exceptions in.
      TSetupForm1* target = keyPreviewForm;
      Application.Guard([target, msg] { target->FormKeyDown(msg->wParam); });
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

bool TSetupForm1::OfferToChildren(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  for (TControl* child : children_) {
    if (child->HandleParentMessage(msg, wparam, lparam, result)) return true;
  }
  return false;
}

LRESULT TSetupForm1::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  // The browser controls are created before the table is complete and may
  // send WM_MEASUREITEM at once.
  if (msg == WM_MEASUREITEM || msg == WM_DRAWITEM || msg == WM_COMMAND) {
    LRESULT result = 0;
    if (OfferToChildren(msg, wparam, lparam, result)) return result;
    // A command from a control made before the table is complete reaches
    // no handler yet.
    if (msg == WM_COMMAND && !controlsCreated_) return 0;
  }
  switch (msg) {
    case WM_COMMAND:
      OnCommand(wparam, lparam);
      return 0;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item->hwndItem == BitBtn1) {
        DrawExecuteButton(*item, font_.Get());
        return TRUE;
      }
      break;
    }
    case WM_SIZE:
      FormResize();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      info->ptMinTrackSize = {kMinWidth, kMinHeight};
      info->ptMaxTrackSize = {kMaxWidth, kMaxHeight};
      info->ptMaxSize.x = std::min<LONG>(info->ptMaxSize.x, kMaxWidth);
      info->ptMaxSize.y = std::min<LONG>(info->ptMaxSize.y, kMaxHeight);
      return 0;
    }
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wparam));
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wparam), lparam);
      return 0;
    case WM_SYSCOMMAND:
      if (WMSysCommand(wparam)) return 0;
      break;
    case DM_GETDEFID:
      // Enter in a control that does not use it presses Execute.
      return MAKELRESULT(GetDlgCtrlID(BitBtn1), DC_HASDEFID);
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
      } else if (lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_DROPFILES:
      FormDropFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_CLOSE:
      if (runInProgress_) {
        closeAfterRun_ = true;
        return 0;
      }
      FormClose();
      DestroyWindow(Handle());
      return 0;
    case WM_QUERYENDSESSION:
      // Log-off waits while files are being renamed; the window closes
      // after the run, so that the next attempt finds it gone.
      if (runInProgress_) {
        closeAfterRun_ = true;
        return FALSE;
      }
      return TRUE;
    case WM_ENDSESSION:
      // The session ends once this returns: save now. A run still going
      // keeps its window until it ends.
      if (wparam) {
        FormClose();
        if (runInProgress_) {
          closeAfterRun_ = true;
        } else {
          DestroyWindow(Handle());
        }
      }
      return 0;
    case WM_DESTROY:
      if (Application.MainWindow() == Handle()) Application.SetMainWindow(nullptr);
      if (keyPreview_) {
        UnhookWindowsHookEx(keyPreview_);
        keyPreview_ = nullptr;
      }
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return TForm::WndProc(msg, wparam, lparam);
}

void TSetupForm1::OnCommand(WPARAM wparam, LPARAM lparam) {
  if (lparam == 0) {
    // Menus (accelerators are the menus' own "&" letters).
    if (HIWORD(wparam) == 0) OnMenuCommand(LOWORD(wparam));
    return;
  }
  int id = LOWORD(wparam);
  UINT code = HIWORD(wparam);
  const ControlRow* row = RowById(id);
  if (!row) return;
  HWND control = reinterpret_cast<HWND>(lparam);
  switch (row->kind) {
    case Kind::SpeedButton:
    case Kind::CheckBox:
    case Kind::BitBtn:
      if (code == BN_CLICKED && row->click) {
        senderTag_ = row->tag;
        (this->*row->click)();
      }
      break;
    case Kind::ComboBox:
      if (code == CBN_SELCHANGE) {
        // The edit part still shows the old text: take the picked item's
        // first, so that the handler reads what the user chose.
        LRESULT index = SendMessageA(control, CB_GETCURSEL, 0, 0);
        if (index != CB_ERR) {
          LRESULT length = SendMessageA(control, CB_GETLBTEXTLEN, index, 0);
          std::string item(length + 1, '\0');
          SendMessageA(control, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()));
          item.resize(length);
          SetWindowTextA(control, item.c_str());
        }
        if (row->click) (this->*row->click)();
      } else if (code == CBN_EDITCHANGE) {
        if (row->click) (this->*row->click)();
      } else if (code == CBN_KILLFOCUS) {
        if (row->exit) (this->*row->exit)();
      }
      break;
    case Kind::CheckListBox:
      if (code == LBN_SELCHANGE) CheckListBox1Click();
      break;
    default:
      break;
  }
}

void TSetupForm1::OnMenuCommand(UINT command) {
  switch (command) {
    case kCmdKProperty1:
    case kCmdKProperty2:
      KPropertyClick();
      break;
    case kCmdN11:
    case kCmdN21:
    case kCmdN31:
    case kCmdN41:
    case kCmdN51:
    case kCmdN61:
      N11Click(static_cast<int>(command - kCmdN11) + 1);
      break;
    case kCmdKExit1:
      KExit1Click();
      break;
    case kCmdSelectAll1:
      SelectAll1Click();
      break;
    case kCmdChange1:
      Change1Click();
      break;
    case kCmdNot1:
      Not1Click();
      break;
    case kCmdKStatus1:
      KStatus1Click();
      break;
    case kCmdKRenew1:
      KRenew1Click();
      break;
    case kCmdKOption1:
      Option1Click();
      break;
    case kCmdKName1:
    case kCmdKNatural1:
    case kCmdKDate1:
      KSortClick(FileOrderFromValue(static_cast<int>(command - kCmdKName1)));
      break;
    case kCmdWeb1:
      Web1Click();
      break;
    case kCmdKAbout1:
      KAbout1Click();
      break;
    case kCmdKUndo1:
      KUndo1Click();
      break;
    default:
      break;
  }
}

void TSetupForm1::OnInitMenuPopup(HMENU menu) {
  if (menu == KFile1) {
    KFile1Click();
    SetMenuItemEnabled(kCmdKUndo1, UndoAvailable());
  } else if (menu == KView1) {
    KView1Click();
  } else if (menu == KHelp1) {
    KHelp1Click();
  }
}

void TSetupForm1::OnContextMenu(HWND window, LPARAM lparam) {
  if (window != CheckListBox1->Handle()) return;
  POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  if (lparam == -1) {
    // From the keyboard: below the highlighted line, or the list's corner.
    RECT rect{};
    int index = HighlightedIndex();
    if (index < 0 ||
        SendMessageA(window, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) == LB_ERR) {
      rect = RECT{};
    }
    at = {rect.left, rect.bottom};
    ClientToScreen(window, &at);
  }
  PopupMenu1Popup();
  TrackPopupMenu(PopupMenu1, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
}

// ---------------------------------------------------------------------------
// Creation and closing sequences

void TSetupForm1::FormCreate() {
  InstallSystemMenu();
  SetWindowPos(Handle(), nullptr, 0, 0, kDesignWidth, kDesignHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RefillCheckList();
  ComputeSettingsPath();
  RecoverInterruptedRename();
  ReadWindowPosition();
  ResetPreviewGrid();
  ReadSortOrder();
  ReadFolderHistory();
  ReadPrefixSuffixHistories();
  BuildStartupFilterList();
  CheckStartFiles();
  // The window is first shown with an empty status bar, whatever the
  // steps above wrote.
  for (int panel = 0; panel < 5; ++panel) SetStatusText(panel, "");
  RECT panel5{}, drive{};
  GetClientRect(Panel5, &panel5);
  GetWindowRect(DriveComboBox1->Handle(), &drive);
  int folderHeight = (panel5.bottom - panel5.top) - (drive.bottom - drive.top);
  DirectoryListBox1->SetBounds(0, (panel5.bottom - panel5.top) - folderHeight,
                               panel5.right - panel5.left, folderHeight);
  session_->StartNumber = 1;
  session_->DigitCount = 1;
  ShowStartNumber();
  ShowDigitCount();
  UpdateSample();
}

void TSetupForm1::FormClose() {
  if (savedAtClose_) return;
  savedAtClose_ = true;
  SaveSettings();
}

TSetupForm1::RunInProgress::RunInProgress(TSetupForm1& form)
    : form_(form), outer_(!form.runInProgress_) {
  form_.runInProgress_ = true;
}

TSetupForm1::RunInProgress::~RunInProgress() {
  if (!outer_) return;
  form_.runInProgress_ = false;
  if (form_.closeAfterRun_) {
    form_.closeAfterRun_ = false;
    PostMessageA(form_.Handle(), WM_CLOSE, 0, 0);
  }
}

void TSetupForm1::KExit1Click() { PostMessageA(Handle(), WM_CLOSE, 0, 0); }

void TSetupForm1::KView1Click() { SetMenuItemChecked(kCmdKStatus1, StatusBarVisible()); }

void TSetupForm1::KHelp1Click() { SetStatusText(kPanelCount, ""); }

void TSetupForm1::KStatus1Click() {
  ShowWindow(StatusBar1, StatusBarVisible() ? SW_HIDE : SW_SHOW);
  FormResize();
}

// ---------------------------------------------------------------------------
// Layout

void TSetupForm1::FormResize() {
  if (!controlsCreated_) return;
  RECT window{}, client{}, bar{}, barClient{};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  // The status bar is aligned to the bottom with its design height.
  SetWindowPos(StatusBar1, nullptr, 0, client.bottom - kStatusBarHeight, client.right,
               kStatusBarHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(StatusBar1, &bar);
  GetClientRect(StatusBar1, &barClient);
  LayoutInput in;
  in.outerWidth = window.right - window.left;
  in.clientWidth = client.right;
  in.clientHeight = client.bottom;
  in.statusBarHeight = bar.bottom - bar.top;
  in.statusBarClientWidth = barClient.right;
  MainWindowLayout out = ComputeMainWindowLayout(in);

  auto place = [](HWND control, const Bounds& b) {
    SetWindowPos(control, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  SetWindowPos(Bevel1, nullptr, 0, 0, in.clientWidth, 8, SWP_NOZORDER | SWP_NOACTIVATE);
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
  SendMessageA(StatusBar1, SB_SETPARTS, 5, reinterpret_cast<LPARAM>(edges));

  HWND tools[] = {SpeedButton13, SpeedButton14, SpeedButton15};
  for (int i = 0; i < 3; ++i) {
    SetWindowPos(tools[i], nullptr, out.toolButtons[i].left, out.toolButtons[i].top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// ---------------------------------------------------------------------------
// Browser

void TSetupForm1::RefillCheckList() {
  // Start-up and the options dialog raise the change event several times in
  // a row on one reading: the names are copied once, the marks cleared each time.
  const std::vector<std::string>& names = FileListBox1->Items();
  if (FileListBox1->Reading() == refilledReading_ && session_->Files.size() == names.size()) {
    for (FileEntry& entry : session_->Files) entry.Checked = false;
  } else {
    session_->ReplaceFiles(names);
    refilledReading_ = FileListBox1->Reading();
  }
  CheckListBox1->Reload();
}

void TSetupForm1::ClearFileInformation() {
  SetStatusText(kPanelName, "");
  SetStatusText(kPanelSize, "");
  SetStatusText(kPanelTime, "");
}

void TSetupForm1::DirectoryListBox1Change() {
  RefillCheckList();
  RecordCurrentFolder();
  RefreshPreview();
  ClearFileInformation();
  ShowFileCount();
}

void TSetupForm1::DriveComboBox1Change() {
  RefillCheckList();
  // The marks are gone: the preview and Execute must not keep the old ones,
  // also when the folder stayed (a drive that could not be entered, then the
  // old drive picked again).
  RefreshPreview();
  ClearFileInformation();
  ShowFileCount();
}

void TSetupForm1::SpeedButton13Click() {
  DirectoryListBox1->ShowParentFolder();
  ShowFileCount();
}

// ---------------------------------------------------------------------------
// Check list commands and file information

void TSetupForm1::CheckListBox1Click() {
  int index = HighlightedIndex();
  if (index >= 0 && static_cast<size_t>(index) < session_->Files.size()) {
    FileInfo info = ReadFileInfo(session_->Files[index].Name);
    // All three panels describe this file: what cannot be read is shown
    // empty, never another file's size or time.
    SetStatusText(kPanelName, info.Name);
    SetStatusText(kPanelSize, info.SizeText.value_or(""));
    SetStatusText(kPanelTime, info.TimeText.value_or(""));
    ShowFileCount();
  }
  RefreshPreview();
}

void TSetupForm1::SpeedButton14Click() {
  SetFocus(CheckListBox1->Handle());
  for (FileEntry& entry : session_->Files) entry.Checked = true;
  CheckListBox1->Repaint();
  CheckListBox1Click();
  ShowFileCount();
}

void TSetupForm1::SpeedButton15Click() {
  SetFocus(CheckListBox1->Handle());
  for (FileEntry& entry : session_->Files) entry.Checked = false;
  CheckListBox1->Repaint();
  RefreshPreview();
  ShowFileCount();
}

void TSetupForm1::SelectAll1Click() { SpeedButton14Click(); }

void TSetupForm1::Not1Click() { SpeedButton15Click(); }

void TSetupForm1::Change1Click() {
  SetFocus(CheckListBox1->Handle());
  for (FileEntry& entry : session_->Files) entry.Checked = !entry.Checked;
  CheckListBox1->Repaint();
  CheckListBox1Click();
  ShowFileCount();
}

void TSetupForm1::KRenew1Click() {
  int index = HighlightedIndex();
  FileListBox1->ListFolderFiles();
  RefillCheckList();
  if (index >= 0 && index < CheckListBox1->Count()) CheckListBox1->SetItemIndex(index);
  RefreshPreview();
  ShowFileCount();
}

// ---------------------------------------------------------------------------
// Naming fields, displays and preview

void TSetupForm1::ComboBox1Change() {
  UpdateSample();
  RefreshPreview();
  ShowFileCount();
}

void TSetupForm1::SpeedButton1Click() {
  session_->StepStartNumber(senderTag_);
  ShowStartNumber();
  UpdateSample();
  RefreshPreview();
  ShowFileCount();
}

void TSetupForm1::SpeedButton11Click() {
  session_->StepDigitCount(1);
  ShowDigitCount();
  ShowStartNumber();
  UpdateSample();
  RefreshPreview();
  ShowFileCount();
}

void TSetupForm1::SpeedButton12Click() {
  session_->StepDigitCount(-1);
  ShowDigitCount();
  ShowStartNumber();
  UpdateSample();
  RefreshPreview();
  ShowFileCount();
}

void TSetupForm1::CheckBox1Click() {
  ShowDigitCount();
  ShowStartNumber();
  UpdateSample();
  RefreshPreview();
  ShowFileCount();
}

void TSetupForm1::UpdateSample() { SetWindowTextA(Panel4, session_->UpdateSample().c_str()); }

void TSetupForm1::ShowStartNumber() { SetWindowTextA(Panel2, session_->StartNumberText().c_str()); }

void TSetupForm1::ShowDigitCount() { SetWindowTextA(Panel3, session_->DigitCountText().c_str()); }

namespace {
// While names are marked, panel 3 carries their count after its own text
// ("6個存在 ※2"); the last panel is too narrow, under the size grip.
std::string WithMarkedCount(std::string text, const PreviewRows& rows) {
  const std::size_t mark = text.find(ConflictMark);
  if (mark != std::string::npos && mark > 0 && text[mark - 1] == ' ') text.resize(mark - 1);
  if (rows.MarkedCount() > 0) text.append(1, ' ').append(MarkedCountText(rows.MarkedCount()));
  return text;
}
}  // namespace

void TSetupForm1::ResetPreviewGrid() {
  preview_->SetEmpty();
  ShowPreview();
}

void TSetupForm1::ShowPreview() {
  RECT grid{};
  GetWindowRect(StringGrid1->Handle(), &grid);
  PreviewColumnWidths widths = ComputePreviewColumnWidths(grid.right - grid.left);
  StringGrid1->SetColumnWidths(widths.Column0, widths.Column1);
  const PreviewRows* rows = preview_.get();
  StringGrid1->SetRows(rows->RowCount(),
                       [rows](int column, std::size_t row) { return rows->Cell(column, row); });
  StringGrid1->SetRowMarks([rows](std::size_t row) { return rows->Marked(row); });
  const std::string count = WithMarkedCount(statusTexts_[kPanelCount], *rows);
  if (count != statusTexts_[kPanelCount]) SetStatusText(kPanelCount, count);
}

void TSetupForm1::RefreshPreview() {
  session_->RefreshPreview(*preview_);
  ShowPreview();
  EnableWindow(BitBtn1, preview_->ExecuteEnabled());
}

void TSetupForm1::ShowFileCount() {
  SetStatusText(kPanelCount, WithMarkedCount(session_->FileCountText(), *preview_));
}

// ---------------------------------------------------------------------------
// Rename run

namespace {
class WindowRenameObserver : public RenameObserver {
 public:
  explicit WindowRenameObserver(TSetupForm1& form) : form_(form) {}

  bool Ask(std::string_view text, std::string_view caption) override {
    return ShowMessage(form_.Handle(), std::string(text), std::string(caption),
                       MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON1) == IDYES;
  }
  void WarnCollision(std::string_view text, std::string_view caption, const std::string&) override {
    ShowMessage(form_.Handle(), std::string(text), std::string(caption), MB_OK | MB_ICONERROR);
  }
  void Warn(std::string_view text, std::string_view caption) override {
    ShowMessage(form_.Handle(), std::string(text), std::string(caption), MB_OK | MB_ICONERROR);
  }
  void Beep() override { DefaultBeep(); }
  void ShowStartNumber(const std::string& text) override {
    SetWindowTextA(form_.Panel2, text.c_str());
  }
  void ShowCompletedCount(const std::string& text) override {
    form_.SetStatusText(kPanelCount, text);
    // The count advances visibly while the run goes on.
    UpdateWindow(form_.StatusBar1);
  }
  std::vector<std::string> RereadFiles() override {
    form_.FileListBox1->ListFolderFiles();
    return form_.FileListBox1->Items();
  }

 private:
  TSetupForm1& form_;
};
}  // namespace

void TSetupForm1::BitBtn1Click() {
  const RunInProgress running(*this);
  WindowRenameObserver observer(*this);
  const RenamePlace place{FileListBox1->Directory(), JournalPathsBeside(SettingsPath).Run};
  RenameRunResult result = RunRename(*session_, *preview_, *fileSystem_, observer, place);
  if (!result.Confirmed) return;
  // The start number has moved on: the sample follows it, as it does after
  // every other change of the start number.
  UpdateSample();
  CheckListBox1->Reload();
  ShowPreview();
  EnableWindow(BitBtn1, preview_->ExecuteEnabled());
}

bool TSetupForm1::UndoAvailable() { return CanUndo(*fileSystem_, JournalPathsBeside(SettingsPath)); }

void TSetupForm1::KUndo1Click() {
  if (!UndoAvailable()) return;
  if (ShowMessage(Handle(), std::string(ConfirmUndoText), std::string(ConfirmRenameCaption),
                  MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON1) != IDYES) {
    return;
  }
  const UndoResult result = UndoLastRun(*fileSystem_, JournalPathsBeside(SettingsPath));
  if (result.FailureCount > 0) {
    ShowMessage(Handle(), UndoFailureReportText(result.FailureCount, result.FirstFailures),
                std::string(CollisionCaption), MB_OK | MB_ICONERROR);
  }
  // The folder of the run as it now is: list, preview, displays, status.
  if (FileListBox1->Directory() == result.Folder) {
    KRenew1Click();
  } else {
    ShowFolder(result.Folder);
  }
  ShowStartNumber();
  UpdateSample();
}

}  // namespace korvath
