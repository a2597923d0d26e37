#include "Option.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "Application.h"
#include "CodePages.h"
#include "ControlFocus.h"
#include "ControlRow.h"
#include "Handles.h"
#include "MessageBox.h"
#include "SettingsFile.h"
#include "Texts.h"
#include "UiFont.h"
#include "Utf8.h"
#include "WideText.h"
#include "WindowDpi.h"
#include "WindowText.h"

namespace korvath {


namespace {

enum ControlId : int {
  kIdOk = IDOK,     // Enter anywhere but on another button presses OK
  kIdCancel = 102,  // deliberately not IDCANCEL: Escape does not cancel
  kIdAdd,
  kIdDelete,
  kIdUp,
  kIdDown,
  kIdEdit,
  kIdList,
  kIdBevel,
  kIdGrip,
  kIdLabel,
};

constexpr int kListItemHeight = 16;
constexpr int kListTextIndent = 2;

// A mask is kept in the settings file, which is Shift-JIS: one it cannot
// hold would be gone at the next start. The refusal names the characters.
std::string UnsavableMessage(std::string_view mask) {
  std::string unsavable;
  for (std::size_t pos = 0; pos < mask.size(); pos += CharLength(mask, pos)) {
    const std::string_view c = mask.substr(pos, CharLength(mask, pos));
    if (!ShiftJisHolds(c) && unsavable.find(c) == std::string::npos) unsavable += c;
  }
  if (unsavable.empty()) return {};
  return FormatText(kTextMaskUnsavable, {unsavable});
}

std::string FullListMessage() {
  return FormatText(kTextMaskListFull, {std::to_string(kMaxUserMasks)});
}

// The sorts of child the dialog makes, by their window class.
enum class OptionKind { Button, Edit, ListBox, Static };

const wchar_t* ClassName(OptionKind kind) {
  switch (kind) {
    case OptionKind::Button:
      return L"BUTTON";
    case OptionKind::Edit:
      return L"EDIT";
    case OptionKind::ListBox:
      return L"LISTBOX";
    case OptionKind::Static:
      break;
  }
  return L"STATIC";
}

// Rows are created in table order, which is also the tab order of the
// controls that take the focus; style is the whole window style.
using OptionRow = ControlRow<TOptionForm1, OptionKind, OptionFormControls>;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
// Fixed 16-pixel rows drawn by the dialog, so that "&" shows as it is.
constexpr DWORD kListStyle =
    WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;

// clang-format off
const OptionRow kControls[] = {
    {.name = "BitBtn1", .kind = OptionKind::Button, .bounds = {145, 262, 90, kButtonHeight}, .text = kTextOk, .style = kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, .id = kIdOk, .member = &OptionFormControls::BitBtn1},
    {.name = "BitBtn2", .kind = OptionKind::Button, .bounds = {45, 262, 90, kButtonHeight}, .text = kTextCancel, .style = kChild | WS_TABSTOP | BS_PUSHBUTTON, .id = kIdCancel, .member = &OptionFormControls::BitBtn2},
    {.name = "Edit1", .kind = OptionKind::Edit, .bounds = {38, 50, 121, 20}, .style = kChild | WS_TABSTOP | ES_AUTOHSCROLL, .exStyle = WS_EX_CLIENTEDGE, .id = kIdEdit, .member = &OptionFormControls::Edit1},
    {.name = "BitBtn3", .kind = OptionKind::Button, .bounds = {167, 48, 75, kButtonHeight}, .text = kTextOptionAdd, .style = kChild | WS_TABSTOP | BS_PUSHBUTTON, .id = kIdAdd, .member = &OptionFormControls::BitBtn3},
    {.name = "ListBox1", .kind = OptionKind::ListBox, .bounds = {38, 80, 121, 169}, .style = kChild | WS_TABSTOP | kListStyle, .exStyle = WS_EX_CLIENTEDGE, .id = kIdList, .member = &OptionFormControls::ListBox1},
    {.name = "BitBtn4", .kind = OptionKind::Button, .bounds = {167, 80, 75, kButtonHeight}, .text = kTextOptionDelete, .style = kChild | WS_TABSTOP | BS_PUSHBUTTON, .id = kIdDelete, .member = &OptionFormControls::BitBtn4},
    {.name = "Label5", .kind = OptionKind::Static, .bounds = {12, 8, 101, 12}, .text = kTextOptionUserMasks, .style = kChild | SS_LEFT, .id = kIdLabel, .member = &OptionFormControls::Label5},
    {.name = "Bevel1", .kind = OptionKind::Static, .bounds = {120, 14, 153, 9}, .style = kChild | SS_OWNERDRAW, .id = kIdBevel, .member = &OptionFormControls::Bevel1},
    {.name = "Label1", .kind = OptionKind::Static, .bounds = {12, 28, 206, 12}, .text = kTextOptionMaskHint, .style = kChild | SS_LEFT, .id = kIdLabel, .member = &OptionFormControls::Label1},
    {.name = "SpeedButton1", .kind = OptionKind::Button, .bounds = {168, 136, 24, kArrowHeight}, .text = kTextOptionMoveUp, .style = kChild | BS_PUSHBUTTON, .id = kIdUp, .member = &OptionFormControls::SpeedButton1},
    {.name = "SpeedButton2", .kind = OptionKind::Button, .bounds = {168, 168, 24, kArrowHeight}, .text = kTextOptionMoveDown, .style = kChild | BS_PUSHBUTTON, .id = kIdDown, .member = &OptionFormControls::SpeedButton2},
    {.name = "Image1", .kind = OptionKind::Static, .bounds = {248, 279, kGripWidth, kGripHeight}, .style = kChild | SS_OWNERDRAW, .id = kIdGrip, .member = &OptionFormControls::Image1},
};
// clang-format on

// Speed buttons never keep the focus: it goes straight back to the control
// that had it, so that a click on an arrow leaves the list focused.
LRESULT CALLBACK SpeedButtonProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                 DWORD_PTR) {
  if (msg == WM_SETFOCUS) {
    HWND previous = reinterpret_cast<HWND>(wparam);
    if (previous && IsWindow(previous) && previous != window) SetFocus(previous);
    return 0;
  }
  if (msg == WM_GETDLGCODE) return DLGC_BUTTON;
  return DefSubclassProc(window, msg, wparam, lparam);
}

void SetBounds(HWND window, const ControlBounds& b) {
  SetWindowPos(window, nullptr, b.Left, b.Top, b.Width, b.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring ListText(HWND list, int index) {
  LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  LRESULT copied = SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

// Diagonal grip stripes in the bottom-right corner, on the dialog's face;
// the stripes are one pixel wide at any density, spaced as at 96.
void DrawSizeGrip(HDC dc, const RECT& rect, Dpi dpi) {
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  OwnedPen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
  OwnedPen light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
  // Two dark lines and a light one per stripe, every 4 pixels.
  for (int offset = dpi.Scale(3); offset < rect.bottom - rect.top; offset += dpi.Scale(4)) {
    for (int line = 0; line < 3; ++line) {
      SelectGuard pen(dc, line < 2 ? shadow.Get() : light.Get());
      int d = offset - line;
      MoveToEx(dc, rect.right - 1 - d, rect.bottom, nullptr);
      LineTo(dc, rect.right, rect.bottom - 1 - d);
    }
  }
}

// A label's bounds: the table's, but in English as tall as the font's
// letters, descenders included (Tahoma reaches lower than the Japanese face
// the table was drawn for, whose labels keep their heights).
Bounds LabelFit(Bounds b, const OptionRow& row, HFONT font) {
  if (row.kind != OptionKind::Static || row.text == kTextNone ||
      CurrentLanguage() == Language::Japanese) {
    return b;
  }
  TEXTMETRICW metrics{};
  WindowDC screen;
  SelectGuard select(screen.Get(), font);
  GetTextMetricsW(screen.Get(), &metrics);
  b.height = std::max(b.height, static_cast<int>(metrics.tmHeight));
  return b;
}

}  // namespace

TOptionForm1::TOptionForm1() = default;

TOptionForm1::~TOptionForm1() = default;

void TOptionForm1::Create(HWND owner) {
  constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
  constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_DLGMODALFRAME;
  CreateParams p = DialogParams("TOptionForm1", Text(kTextOptionCaption), kStyle, kExStyle, kOptionClientWidth,
                                kOptionClientHeight, owner);
  p.width = kOptionFormWidth;
  CreateHandle(p);
  dpi_ = WindowDpi(Handle());
  font_.Reset(CreateUiFont(dpi_.FontHeight(12)));
  CreateControls();
  if (!dpi_.IsDesign()) {
    PlaceControls();
    // The least client height at 96, scaled, in the frame the dialog has.
    const int designFrame = FrameSize(kStyle, kExStyle, false, Dpi{}).cy;
    minHeight_ = OuterSize(dpi_.Scale(kOptionMinHeight - designFrame)).cy;
  }
  // The frame may differ from the layout's; the width is fixed regardless.
  const SIZE size = dpi_.IsDesign() ? SIZE{kOptionFormWidth, p.height}
                                    : OuterSize(dpi_.Scale(kOptionClientHeight));
  SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FormResize();
}

// 288 wide at 96; at another density the client width laid out at 96,
// scaled, with the frame the dialog has now.
SIZE TOptionForm1::OuterSize(int clientHeight) const {
  RECT window{}, client{};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  const int frameWidth = (window.right - window.left) - client.right;
  const int frameHeight = (window.bottom - window.top) - client.bottom;
  const int width =
      dpi_.IsDesign() ? kOptionFormWidth : dpi_.Scale(kOptionClientWidth) + frameWidth;
  return {width, clientHeight + frameHeight};
}

void TOptionForm1::PlaceControls() {
  for (const OptionRow& row : kControls) {
    const Bounds b = LabelFit(Scaled(row.bounds, dpi_), row, font_.Get());
    HWND control = this->*row.member;
    SetWindowPos(control, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  }
  SendMessageW(ListBox1, LB_SETITEMHEIGHT, 0, dpi_.Scale(kListItemHeight));
}

// Moved to a monitor of another density: fonts and controls at the new one,
// the size limits with them, then the place the system suggests.
void TOptionForm1::FormDpiChanged(Dpi dpi, const RECT& suggested) {
  if (dpi != dpi_) {
    const Dpi previous = dpi_;
    dpi_ = dpi;
    OwnedFont oldFont = std::move(font_);
    font_.Reset(CreateUiFont(dpi_.FontHeight(12)));
    PlaceControls();
    minHeight_ = dpi_.Scale(previous.Unscale(minHeight_));
    maxHeight_ = dpi_.Scale(previous.Unscale(maxHeight_));
  }
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  FormResize();
}

void TOptionForm1::CreateControls() {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Handle(), GWLP_HINSTANCE));
  for (const OptionRow& row : kControls) {
    const Bounds b = LabelFit(row.bounds, row, font_.Get());
    HWND control =
        CreateWindowExW(row.exStyle, ClassName(row.kind), Widen(Text(row.text)).c_str(), row.style,
                        b.left, b.top, b.width, b.height, Handle(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    this->*row.member = control;
  }
  SetWindowSubclass(SpeedButton1, SpeedButtonProc, 1, 0);
  SetWindowSubclass(SpeedButton2, SpeedButtonProc, 1, 0);
  SendMessageW(ListBox1, LB_SETITEMHEIGHT, 0, kListItemHeight);
}

void TOptionForm1::SetMaxHeight(int height) {
  maxHeight_ = height;
  if (maxHeight_ < minHeight_) minHeight_ = maxHeight_;
  RECT rect;
  GetWindowRect(Handle(), &rect);
  if (rect.bottom - rect.top > maxHeight_) {
    SetWindowPos(Handle(), nullptr, 0, 0, rect.right - rect.left, maxHeight_,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TOptionForm1::LoadUserMasks(ProfileStore& store) { SetRows(korvath::LoadUserMasks(store)); }

void TOptionForm1::SetRows(const std::vector<std::string>& rows) {
  SendMessageW(ListBox1, WM_SETREDRAW, FALSE, 0);
  rows_ = rows;
  SendMessageW(ListBox1, LB_RESETCONTENT, 0, 0);
  for (const std::string& mask : rows_) {
    SendMessageW(ListBox1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(mask).c_str()));
  }
  SendMessageW(ListBox1, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(ListBox1, nullptr, TRUE);
}

const std::vector<std::string>& TOptionForm1::Rows() const { return rows_; }

std::vector<std::string> TOptionForm1::MasksToSave() const {
  return showing_ && !accepting_ ? openedRows_ : Rows();
}

int TOptionForm1::ItemIndex() const {
  return static_cast<int>(SendMessageW(ListBox1, LB_GETCURSEL, 0, 0));
}

int TOptionForm1::ShowModal() {
  HWND owner = ModalOwner;
  RECT me;
  GetWindowRect(Handle(), &me);
  int width = me.right - me.left, height = me.bottom - me.top;
  RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner) GetWindowRect(owner, &area);
  int left = area.left + (area.right - area.left - width) / 2;
  int top = area.top + (area.bottom - area.top - height) / 2;
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  SetWindowPos(Handle(), HWND_TOPMOST, left, top, 0, 0, SWP_NOSIZE);

  bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  modalResult_ = 0;
  openedRows_ = Rows();
  accepting_ = false;
  showing_ = true;
  ShowWindow(Handle(), SW_SHOW);
  // OK has the focus at first; later openings return it where it was left.
  SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : BitBtn1);
  modalResult_ = RunModal(Handle(), modalResult_);
  // Anything but OK leaves the masks as they were at the opening.
  if (modalResult_ != IDOK && Rows() != openedRows_) SetRows(openedRows_);
  HWND focus = GetFocus();
  if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
  // The owner comes back before the dialog hides, so that it is activated.
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  ShowWindow(Handle(), SW_HIDE);
  if (owner) SetActiveWindow(owner);
  showing_ = false;
  return modalResult_;
}

void TOptionForm1::CloseModal(int result) {
  if (showing_) {
    modalResult_ = result;
  } else {
    ShowWindow(Handle(), SW_HIDE);
  }
}

void TOptionForm1::UpdateArrowButtons() {
  int i = ItemIndex();
  int count = static_cast<int>(SendMessageW(ListBox1, LB_GETCOUNT, 0, 0));
  EnableControl(SpeedButton1, i > 0);
  EnableControl(SpeedButton2, i != -1 && i < count - 1);
}

// OK: the whole settings file first; when that fails the dialog stays open
// with its list as it is.
void TOptionForm1::BitBtn1Click() {
  accepting_ = true;
  bool saved = !SaveSettings || SaveSettings();
  accepting_ = false;
  if (!saved) return;
  if (RebuildFilter) RebuildFilter(Rows());
  CloseModal(IDOK);
}

void TOptionForm1::BitBtn2Click() { CloseModal(IDCANCEL); }

// Add: only masks that start with "*.", hold no "|" and nothing the settings
// file cannot keep (the rest is the user's business), and no more than the
// next start reads back.
void TOptionForm1::BitBtn3Click() {
  std::string text = WindowText(Edit1);
  if (text.empty()) return;
  std::string refusal;
  if (text.compare(0, 2, "*.") != 0) {
    refusal = Text(kTextMaskNeedsStarDot);
  } else if (FindFirstDelimiter(text, "|") != std::string::npos) {
    refusal = Text(kTextMaskHasBar);
  } else if (SendMessageW(ListBox1, LB_GETCOUNT, 0, 0) >= kMaxUserMasks) {
    refusal = FullListMessage();
  } else {
    refusal = UnsavableMessage(text);
  }
  if (!refusal.empty()) {
    ShowMessage(Handle(), refusal, std::string(Text(kTextCaptionWarning)), MB_OK | MB_ICONERROR);
    return;
  }
  rows_.push_back(text);
  SendMessageW(ListBox1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
  SetWindowTextW(Edit1, L"");
}

void TOptionForm1::BitBtn4Click() {
  int i = ItemIndex();
  if (i == -1) return;
  rows_.erase(rows_.begin() + i);
  SendMessageW(ListBox1, LB_DELETESTRING, i, 0);
  int count = static_cast<int>(SendMessageW(ListBox1, LB_GETCOUNT, 0, 0));
  int next = count == 0 ? -1 : (i < count ? i : count - 1);
  SendMessageW(ListBox1, LB_SETCURSEL, next, 0);
  UpdateArrowButtons();
}

void TOptionForm1::MoveRow(int from, int to) {
  std::string text = rows_[static_cast<std::size_t>(from)];
  rows_.erase(rows_.begin() + from);
  rows_.insert(rows_.begin() + to, text);
  SendMessageW(ListBox1, LB_DELETESTRING, from, 0);
  SendMessageW(ListBox1, LB_INSERTSTRING, to, reinterpret_cast<LPARAM>(Widen(text).c_str()));
  SendMessageW(ListBox1, LB_SETCURSEL, to, 0);
  UpdateArrowButtons();
}

void TOptionForm1::SpeedButton1Click() {
  int i = ItemIndex();
  if (i <= 0) return;
  MoveRow(i, i - 1);
}

void TOptionForm1::SpeedButton2Click() {
  int i = ItemIndex();
  int count = static_cast<int>(SendMessageW(ListBox1, LB_GETCOUNT, 0, 0));
  if (i == -1 || i >= count - 1) return;
  MoveRow(i, i + 1);
}

void TOptionForm1::ListBox1Click() { UpdateArrowButtons(); }

void TOptionForm1::Edit1Enter() { UpdateArrowButtons(); }

void TOptionForm1::FormResize() {
  if (!ListBox1) return;
  RECT client;
  GetClientRect(Handle(), &client);
  OptionLayout layout = ComputeOptionLayout(client.right, client.bottom, dpi_);
  SetBounds(Image1, layout.Image1);
  SetBounds(ListBox1, layout.ListBox1);
  SetBounds(BitBtn1, layout.BitBtn1);
  SetBounds(BitBtn2, layout.BitBtn2);
  SetBounds(SpeedButton1, layout.SpeedButton1);
  SetBounds(SpeedButton2, layout.SpeedButton2);
  InvalidateRect(Image1, nullptr, TRUE);
}

void TOptionForm1::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID == kIdBevel) {
    RECT rect = item.rcItem;
    FillRect(item.hDC, &rect, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &rect, EDGE_ETCHED, BF_TOP);
    return;
  }
  if (item.CtlID == kIdGrip) {
    DrawSizeGrip(item.hDC, item.rcItem, dpi_);
    return;
  }
  if (item.CtlID != kIdList) return;
  RECT rect = item.rcItem;
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID != static_cast<UINT>(-1)) {
    const std::wstring text = ListText(ListBox1, static_cast<int>(item.itemID));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textRect = rect;
    textRect.left += dpi_.Scale(kListTextIndent);
    // "&" is an ordinary character here.
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &rect);
}

void TOptionForm1::OnCommand(WPARAM wparam, LPARAM) {
  int id = LOWORD(wparam);
  int code = HIWORD(wparam);
  switch (id) {
    case kIdOk:
      if (code == BN_CLICKED) BitBtn1Click();
      break;
    case kIdCancel:
      if (code == BN_CLICKED) BitBtn2Click();
      break;
    case kIdAdd:
      if (code == BN_CLICKED) BitBtn3Click();
      break;
    case kIdDelete:
      if (code == BN_CLICKED) BitBtn4Click();
      break;
    case kIdUp:
      if (code == BN_CLICKED) SpeedButton1Click();
      break;
    case kIdDown:
      if (code == BN_CLICKED) SpeedButton2Click();
      break;
    case kIdList:
      if (code == LBN_SELCHANGE) ListBox1Click();
      break;
    case kIdEdit:
      if (code == EN_SETFOCUS) Edit1Enter();
      break;
    default:
      break;  // IDCANCEL from Escape among them: Cancel is not bound to it
  }
}

LRESULT TOptionForm1::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(wparam, lparam);
      return 0;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      if (measure->CtlID == kIdList) {
        measure->itemHeight = static_cast<UINT>(dpi_.Scale(kListItemHeight));
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case DM_GETDEFID: {
      // Enter presses the focused button, and OK from anywhere else.
      HWND focus = GetFocus();
      int id = kIdOk;
      if (focus == BitBtn2 || focus == BitBtn3 || focus == BitBtn4) id = GetDlgCtrlID(focus);
      return MAKELRESULT(id, DC_HASDEFID);
    }
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      const int width = OuterSize(0).cx;
      info->ptMinTrackSize = {width, minHeight_};
      info->ptMaxTrackSize = {width, maxHeight_};
      return 0;
    }
    case WM_DPICHANGED:
      FormDpiChanged(ValidDpi(HIWORD(wparam)), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_SIZE:
      FormResize();
      return 0;
    case WM_CLOSE:
      BitBtn2Click();
      return 0;
    default:
      break;
  }
  return TForm::WndProc(msg, wparam, lparam);
}

}  // namespace korvath
