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
#include "CheckListBox.h"
#include "ControlFocus.h"
#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "FileListBox.h"
#include "FilterComboBox.h"
#include "GlyphButton.h"
#include "PreviewRows.h"
#include "RenameSession.h"
#include "RenameTexts.h"
#include "StartupPhases.h"
#include "SetupRunDriver.h"
#include "StringGrid.h"
#include "PreviewWork.h"
#include "Texts.h"
#include "Win32FileSystem.h"
#include "WindowDpi.h"
#include "WideText.h"
#include "WindowText.h"

namespace korvath {

namespace {

constexpr int kDesignLeft = 198;
constexpr int kDesignTop = 95;
constexpr int kDesignWidth = 521;
constexpr int kDesignHeight = 414;
constexpr int kMaxWidth = 1600, kMaxHeight = 1200;

// The window that the key preview hook reports to (there is one main window).
TSetupForm1* keyPreviewForm = nullptr;

}  // namespace

// ---------------------------------------------------------------------------
// Construction and creation

TSetupForm1::TSetupForm1(const ProgramWindows& windows)
    : windows_(windows),
      session_(std::make_unique<RenameSession>(*this)),
      preview_(std::make_unique<PreviewRows>()),
      fileSystem_(std::make_unique<Win32FileSystem>()),
      // Its thread tells the window, which takes the result between messages.
      previewWork_(std::make_unique<PreviewWork>([this] {
        if (HWND window = Handle()) PostMessageW(window, kMsgPreviewReady, 0, 0);
      })),
      menus_(std::make_unique<MenuState>()) {}

TSetupForm1::~TSetupForm1() {
  previewWork_.reset();  // its thread ends before the window it tells goes
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
  p.caption = std::string(Text(kTextMainCaption));
  p.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  p.exStyle = WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;  // folders and files dropped from Explorer
  p.left = kDesignLeft;
  p.top = kDesignTop;
  p.width = kDesignWidth;
  p.height = kDesignHeight;
  p.owner = Application.Handle();
  p.icon = LoadIconW(Application.Instance() ? Application.Instance() : GetModuleHandleW(nullptr),
                     MAKEINTRESOURCEW(1));
  NoteStartupPhase("main window: start");
  CreateHandle(p);
  NoteStartupPhase("main window: handle");
  // The fonts come at the density of the monitor the window opened on.
  dpi_ = WindowDpi(Handle());
  SetIcons();
  CreateFonts();
  // Created first, this is the application's main window.
  if (!IsWindow(Application.MainWindow())) Application.SetMainWindow(Handle());
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);

  NoteStartupPhase("main window: fonts");
  CreateControls();
  NoteStartupPhase("main window: controls");
  ScaleControls(!dpi_.IsDesign());
  NoteStartupPhase("main window: scaled");
  GiveAccessibleNames();
  NoteStartupPhase("main window: accessible names");
  // From here every size change lays the controls out, the menu bar's
  // arrival included.
  controlsCreated_ = true;
  CreateMenus();
  NoteStartupPhase("main window: menus");

  keyPreviewForm = this;
  keyPreview_ =
      SetWindowsHookExW(WH_GETMESSAGE, &TSetupForm1::KeyPreviewHook, nullptr, GetCurrentThreadId());
  // No window procedure surrounds the creation sequence: its errors end in
  // the general error report here, and the window still opens.
  Application.Guard([this] { FormCreate(); });
  NoteStartupPhase("main window: FormCreate");
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
    case kMsgPreviewReady:
      PreviewReady();
      return 0;
    case WM_TIMER:
      if (wparam == kPreviewSlowTimer) {
        KillTimer(Handle(), kPreviewSlowTimer);
        PreviewSlow();
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
            ShutdownBlockReasonCreate(Handle(), Widen(Text(kTextRenamingShutdownReason)).c_str()) != FALSE;
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
    case kCmdKShoot1:
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
  NoteStartupPhase("FormCreate: recovery");
  ReadWindowPosition();
  ResetPreviewGrid();
  ReadSortOrder();
  ReadFolderHistory();
  NoteStartupPhase("FormCreate: first folder");
  ReadPrefixSuffixHistories();
  BuildStartupFilterList();
  NoteStartupPhase("FormCreate: histories and filter");
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

}  // namespace korvath
