#include "Setup.h"

#include "SetupControls.h"
#include "SetupMenus.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "Application.h"
#include "ControlFocus.h"
#include "FileInfo.h"
#include "Layout.h"
#include "MessageBox.h"
#include "PreviewRows.h"
#include "RenameRun.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "RenameUndo.h"
#include "TakenNames.h"
#include "SetupRunDriver.h"
#include "Win32FileSystem.h"
#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "FileListBox.h"
#include "FilterComboBox.h"
#include "CheckListBox.h"
#include "UiFont.h"
#include "WindowDpi.h"
#include "GlyphButton.h"
#include "Panel.h"
#include "StatusBar.h"
#include "StringGrid.h"
#include "WindowText.h"

namespace korvath {

TSetupForm1* SetupForm1 = nullptr;

namespace {

constexpr int kDesignLeft = 198;
constexpr int kDesignTop = 95;
constexpr int kDesignWidth = 521;
constexpr int kDesignHeight = 414;
constexpr int kMinWidth = 521, kMinHeight = 430;
constexpr int kMaxWidth = 1600, kMaxHeight = 1200;

// The window that the key preview hook reports to (there is one main window).
TSetupForm1* keyPreviewForm = nullptr;

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
  p.icon = LoadIconW(Application.Instance() ? Application.Instance() : GetModuleHandleW(nullptr),
                     MAKEINTRESOURCEW(1));
  CreateHandle(p);
  // The fonts come at the density of the monitor the window opened on.
  dpi_ = WindowDpi(Handle());
  CreateFonts();
  // Created first, this is the application's main window.
  if (!IsWindow(Application.MainWindow())) Application.SetMainWindow(Handle());
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);

  CreateControls();
  ScaleControls(!dpi_.IsDesign());
  GiveAccessibleNames();
  // From here every size change lays the controls out, the menu bar's
  // arrival included.
  controlsCreated_ = true;
  CreateMenus();

  keyPreviewForm = this;
  keyPreview_ =
      SetWindowsHookExW(WH_GETMESSAGE, &TSetupForm1::KeyPreviewHook, nullptr, GetCurrentThreadId());
  // No window procedure surrounds the creation sequence: its errors end in
  // the general error report here, and the window still opens.
  Application.Guard([this] { FormCreate(); });
  lastFocus_ = DriveComboBox1->Handle();
}

// ---------------------------------------------------------------------------
// Small services

std::string TSetupForm1::WindowText(HWND window) {
  if (!window) return {};
  return korvath::WindowText(window);
}

std::string TSetupForm1::PrefixText() const { return WindowText(ComboBox1); }
std::string TSetupForm1::SuffixText() const { return WindowText(ComboBox2); }
std::string TSetupForm1::ExtensionText() const { return WindowText(ComboBox3); }
bool TSetupForm1::FullWidthChecked() const {
  return SendMessageW(CheckBox1, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TSetupForm1::SetStatusText(int panel, const std::string& text) {
  if (panel < 0 || panel >= static_cast<int>(statusTexts_.size())) return;
  // Switching the mode repaints the whole bar, so only when it is needed;
  // an unchanged text is not written again, which costs a repaint.
  bool simple = SendMessageW(StatusBar1, SB_ISSIMPLE, 0, 0) != FALSE;
  if (simple) SendMessageW(StatusBar1, SB_SIMPLE, FALSE, 0);
  if (!simple && statusWritten_[panel] && statusTexts_[panel] == text) return;
  statusWritten_[panel] = true;
  statusTexts_[panel] = text;
  // A leading tab centres the text in its panel; the last panel is flat.
  const std::wstring shown = L"\t" + Widen(text);
  WPARAM type = panel == kPanelSpare ? SBT_NOBORDERS : 0;
  SendMessageW(StatusBar1, SB_SETTEXTW, panel | type, reinterpret_cast<LPARAM>(shown.c_str()));
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
        DrawExecuteButton(*item, font_.Get(), dpi_);
        return TRUE;
      }
      break;
    }
    case WM_SIZE:
      FormResize();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      const SIZE least = MinTrackSize();
      info->ptMinTrackSize = {least.cx, least.cy};
      info->ptMaxTrackSize = {dpi_.Scale(kMaxWidth), dpi_.Scale(kMaxHeight)};
      info->ptMaxSize.x = std::min<LONG>(info->ptMaxSize.x, dpi_.Scale(kMaxWidth));
      info->ptMaxSize.y = std::min<LONG>(info->ptMaxSize.y, dpi_.Scale(kMaxHeight));
      return 0;
    }
    case WM_DPICHANGED:
      FormDpiChanged(ValidDpi(HIWORD(wparam)), *reinterpret_cast<const RECT*>(lparam));
      return 0;
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
        // A control disabled meanwhile (Execute after a run) passes it on.
        SetFocus(FocusableOrNext(lastFocus_));
        return 0;
      }
      break;
    case WM_DROPFILES:
      FormDropFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_CLOSE:
      if (run_ && run_->Active()) {
        run_->AskStop(true);  // on yes, closes once the run has stopped
        return 0;
      }
      if (runInProgress_) {
        closeAfterRun_ = true;
        return 0;
      }
      FormClose();
      DestroyWindow(Handle());
      return 0;
    case WM_QUERYENDSESSION:
      // Log-off waits while files are being renamed, and the system tells
      // the user why. Cancelled, it leaves the window as it is.
      if (runInProgress_) {
        blockingShutdown_ =
            ShutdownBlockReasonCreate(Handle(), L"ファイル名を変更しています。") != FALSE;
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
  const SetupRow* row = RowById(id);
  if (!row) return;
  HWND control = reinterpret_cast<HWND>(lparam);
  switch (row->kind) {
    case Kind::SpeedButton:
    case Kind::CheckBox:
    case Kind::BitBtn:
      if (code == BN_CLICKED && row->clickFrom) (this->*row->clickFrom)(control);
      if (code == BN_CLICKED && row->click) (this->*row->click)();
      break;
    case Kind::ComboBox:
      if (code == CBN_SELCHANGE) {
        // The edit part still shows the old text: take the picked item's
        // first, so that the handler reads what the user chose.
        LRESULT index = SendMessageW(control, CB_GETCURSEL, 0, 0);
        if (index != CB_ERR) {
          LRESULT length = SendMessageW(control, CB_GETLBTEXTLEN, index, 0);
          std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
          SendMessageW(control, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()));
          item.resize(static_cast<std::size_t>(length));
          SetWindowTextW(control, item.c_str());
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
    case Kind::Panel:
      // Only the spin fields report keys.
      if (control == Panel2) Panel2KeyDown(static_cast<WORD>(code));
      if (control == Panel3) Panel3KeyDown(static_cast<WORD>(code));
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
        SendMessageW(window, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) == LB_ERR) {
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
  SetWindowPos(Handle(), nullptr, 0, 0, dpi_.Scale(kDesignWidth), dpi_.Scale(kDesignHeight),
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
  // Files handed over on the command line are checked last, so that the
  // status bar shows them as checking them anywhere does: the first one's
  // information and the count.
  CheckStartFiles();
}

void TSetupForm1::FormClose() {
  if (savedAtClose_) return;
  savedAtClose_ = true;
  SaveSettings();
}

void TSetupForm1::KExit1Click() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

void TSetupForm1::KView1Click() { SetMenuItemChecked(kCmdKStatus1, StatusBarVisible()); }

void TSetupForm1::KHelp1Click() { SetStatusText(kPanelCount, ""); }

void TSetupForm1::KStatus1Click() {
  ShowWindow(StatusBar1, StatusBarVisible() ? SW_HIDE : SW_SHOW);
  FormResize();
}

// ---------------------------------------------------------------------------
// Layout

void TSetupForm1::CreateFonts() {
  font_.Reset(CreateUiFont(dpi_.FontHeight(12)));
  sampleFont_.Reset(CreateUiFont(dpi_.FontHeight(13)));
  smallFont_.Reset(CreateUiFont(dpi_.FontHeight(11)));
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
void TSetupForm1::FormDpiChanged(Dpi dpi, const RECT& suggested) {
  if (dpi != dpi_) {
    dpi_ = dpi;
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

void TSetupForm1::ComboBox1Change() { NamingChanged(); }

void TSetupForm1::SpeedButton1Click(HWND sender) {
  // Ten step buttons share this handler; each steps by its row's amount.
  const SetupRow* row = RowById(GetDlgCtrlID(sender));
  session_->StepStartNumber(row ? row->tag : 0);
  ShowStartNumber();
  NamingChanged();
}

void TSetupForm1::SpeedButton11Click() {
  session_->StepDigitCount(1);
  ShowDigitCount();
  ShowStartNumber();
  NamingChanged();
}

void TSetupForm1::SpeedButton12Click() {
  session_->StepDigitCount(-1);
  ShowDigitCount();
  ShowStartNumber();
  NamingChanged();
}

void TSetupForm1::CheckBox1Click() {
  ShowDigitCount();
  ShowStartNumber();
  NamingChanged();
}

void TSetupForm1::NamingChanged() {
  UpdateSample();
  RefreshPreview();
  ShowFileCount();
}

void TSetupForm1::UpdateSample() { SetWindowTextUtf8(Panel4, session_->UpdateSample()); }

void TSetupForm1::ShowStartNumber() { SetWindowTextUtf8(Panel2, session_->StartNumberText()); }

void TSetupForm1::ShowDigitCount() { SetWindowTextUtf8(Panel3, session_->DigitCountText()); }

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
  PreviewColumnWidths widths = GridColumnWidths(grid.right - grid.left, dpi_);
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
  EnableControl(BitBtn1, preview_->ExecuteEnabled());
}

void TSetupForm1::ShowFileCount() {
  SetStatusText(kPanelCount, WithMarkedCount(session_->FileCountText(), *preview_));
}

}  // namespace korvath
