#include "About.h"

#include <cstring>
#include <string>
#include <vector>

#include "AppIcon.h"
#include "Application.h"
#include "ControlRow.h"
#include "ShellActions.h"
#include "Texts.h"
#include "UiFont.h"
#include "WideText.h"
#include "WindowDpi.h"
#include "WindowText.h"

namespace korvath {


namespace {

// The sorts of child the box makes. Bounds are in the parent's client
// area; a label's size 0 x 0 means "as large as its text".
enum class Kind { Picture, Panel, Line, Label, Edit, Button };

using AboutRow = ControlRow<TAboutForm1, Kind>;

constexpr int kIdImage2 = 201;
constexpr int kIdImage1 = 202;
constexpr int kIdPanel1 = 211;
constexpr int kIdPanel2 = 212;
constexpr int kIdPanel3 = 213;
constexpr int kIdPanel4 = 214;
constexpr int kIdPanel7 = 217;
constexpr int kIdPanel8 = 218;
constexpr int kIdBevel1 = 220;
constexpr int kIdLabel1 = 231;
constexpr int kIdLabel2 = 232;
constexpr int kIdLabel3 = 233;
constexpr int kIdEdit1 = 241;
constexpr int kIdEdit2 = 242;

// Creation order is Tab order: with OK last, Tab from OK wraps round to
// Edit1 and then Edit2.
// clang-format off
const AboutRow kControls[] = {
    {.name = "Image2", .kind = Kind::Picture, .bounds = {10, 10, 400, 64}, .id = kIdImage2},
    {.name = "Image1", .kind = Kind::Picture, .bounds = {20, 80, 32, 32}, .id = kIdImage1},
    {.name = "Panel1", .kind = Kind::Panel, .bounds = {70, 80, 341, 20}, .text = kTextAboutProduct, .id = kIdPanel1},
    {.name = "Panel2", .kind = Kind::Panel, .bounds = {70, 100, 341, 20}, .text = kTextAboutVersion, .id = kIdPanel2},
    {.name = "Panel3", .kind = Kind::Panel, .bounds = {70, 120, 341, 20}, .text = kTextAboutCopyright, .id = kIdPanel3},
    {.name = "Panel4", .kind = Kind::Panel, .bounds = {70, 140, 341, 20}, .text = kTextAboutProgrammedBy, .id = kIdPanel4},
    {.name = "Bevel1", .kind = Kind::Line, .bounds = {10, 170, 407, 5}, .id = kIdBevel1},
    {.name = "Label2", .kind = Kind::Label, .bounds = {10, 180, 0, 0}, .text = kTextAboutMaker, .id = kIdLabel2},
    {.name = "Label3", .kind = Kind::Label, .bounds = {20, 204, 0, 0}, .text = kTextAboutWebSite, .id = kIdLabel3},
    {.name = "Panel7", .kind = Kind::Panel, .bounds = {175, 200, 240, 20}, .id = kIdPanel7},
    {.name = "Edit1", .kind = Kind::Edit, .parent = "Panel7", .bounds = {10, 2, 220, 16}, .text = kTextWebSiteAddress, .id = kIdEdit1},
    {.name = "Label1", .kind = Kind::Label, .bounds = {20, 224, 0, 0}, .text = kTextAboutContact, .id = kIdLabel1},
    {.name = "Panel8", .kind = Kind::Panel, .bounds = {175, 220, 240, 20}, .id = kIdPanel8},
    {.name = "Edit2", .kind = Kind::Edit, .parent = "Panel8", .bounds = {10, 2, 220, 16}, .text = kTextMailAddress, .id = kIdEdit2},
    {.name = "BitBtn1", .kind = Kind::Button, .bounds = {165, 250, 90, 25}, .text = kTextOk, .id = IDOK},
};
// clang-format on

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;

SIZE TextSize(HFONT font, std::string_view text) {
  SIZE size{0, 0};
  WindowDC screen;
  SelectGuard select(screen.Get(), font);
  const std::wstring wide = Widen(text);
  GetTextExtentPoint32W(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  return size;
}

// The banner: a blue band with the program's name and what it does, and a
// row of numbered sheets on the right.
void DrawBanner(HDC dc, const RECT& r, HFONT titleFont, HFONT subFont, Dpi dpi) {
  auto s = [dpi](int length) { return dpi.Scale(length); };
  const int width = r.right - r.left;
  for (int x = 0; x < width; ++x) {
    const int t = width > 1 ? x * 255 / (width - 1) : 0;
    OwnedBrush brush(
        CreateSolidBrush(RGB(20 + t * 150 / 255, 60 + t * 150 / 255, 140 + t * 100 / 255)));
    RECT column{r.left + x, r.top, r.left + x + 1, r.bottom};
    FillRect(dc, &column, brush.Get());
  }
  SetBkMode(dc, TRANSPARENT);
  {
    SelectGuard select(dc, titleFont);
    const std::wstring name = Widen(Text(kTextProgramName));
    const int length = static_cast<int>(name.size());
    SetTextColor(dc, RGB(0, 30, 80));
    TextOutW(dc, r.left + s(18), r.top + s(6), name.c_str(), length);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutW(dc, r.left + s(16), r.top + s(4), name.c_str(), length);
  }
  {
    SelectGuard select(dc, subFont);
    SetTextColor(dc, RGB(255, 255, 255));
    const std::wstring subtitle = Widen(Text(kTextAboutSubtitle));
    TextOutW(dc, r.left + s(20), r.top + s(44), subtitle.c_str(),
             static_cast<int>(subtitle.size()));
  }
  // Three sheets with a folded corner, numbered in a row.
  OwnedBrush paper(CreateSolidBrush(RGB(252, 252, 252)));
  OwnedPen outline(CreatePen(PS_SOLID, 1, RGB(40, 50, 90)));
  SelectGuard selectPen(dc, outline.Get());
  SelectGuard selectBrush(dc, paper.Get());
  SelectGuard selectFont(dc, subFont);
  SetTextColor(dc, RGB(30, 80, 170));
  const wchar_t* numbers[] = {L"001", L"002", L"003"};
  for (int i = 0; i < 3; ++i) {
    const int left = r.right - s(150 - i * 46);
    const int top = r.top + s(12 + (i % 2) * 4);
    POINT sheet[] = {{left, top},
                     {left + s(26), top},
                     {left + s(34), top + s(8)},
                     {left + s(34), top + s(40)},
                     {left, top + s(40)},
                     {left, top}};
    Polygon(dc, sheet, 6);
    POINT fold[] = {{left + s(26), top}, {left + s(26), top + s(8)}, {left + s(34), top + s(8)}};
    Polyline(dc, fold, 3);
    TextOutW(dc, left + s(6), top + s(16), numbers[i], 3);
  }
}

// The OK button's glyph: a green tick in a 16 x 16 cell at 96.
void DrawTick(HDC dc, int left, int top, Dpi dpi) {
  auto s = [dpi](int length) { return dpi.Scale(length); };
  OwnedPen pen(CreatePen(PS_SOLID, s(3), RGB(0, 128, 0)));
  SelectGuard select(dc, pen.Get());
  POINT tick[] = {
      {left + s(2), top + s(8)}, {left + s(6), top + s(12)}, {left + s(14), top + s(3)}};
  Polyline(dc, tick, 3);
}

void DrawGlyphButton(const DRAWITEMSTRUCT& item, HFONT font, Dpi dpi) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pushed = item.itemState & ODS_SELECTED;
  // The default button carries a dark outer frame.
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  InflateRect(&r, -1, -1);
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));

  const std::wstring caption = WideWindowText(item.hwndItem);
  SelectGuard select(dc, font);
  SIZE text{0, 0};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
  const int kGlyph = dpi.Scale(16), kSpacing = dpi.Scale(4);
  const int shift = pushed ? 1 : 0;
  const int total = kGlyph + kSpacing + text.cx;
  const int left = r.left + (r.right - r.left - total) / 2 + shift;
  const int middle = r.top + (r.bottom - r.top) / 2 + shift;
  DrawTick(dc, left, middle - kGlyph / 2, dpi);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  TextOutW(dc, left + kGlyph + kSpacing, middle - text.cy / 2, caption.c_str(),
           static_cast<int>(caption.size()));
  if (item.itemState & ODS_FOCUS) {
    RECT focus = r;
    InflateRect(&focus, -dpi.Scale(3), -dpi.Scale(3));
    DrawFocusRect(dc, &focus);
  }
}

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM param) {
  auto* windows = reinterpret_cast<std::vector<HWND>*>(param);
  if (IsWindowVisible(window) && IsWindowEnabled(window)) windows->push_back(window);
  return TRUE;
}

bool SameThread(HWND window) {
  return window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

}  // namespace

TAboutForm1::~TAboutForm1() {
  if (Handle()) DestroyWindow(Handle());
  if (icon_) DestroyIcon(icon_);
}

HWND* TAboutForm1::Member(const char* name) {
  struct Entry {
    const char* name;
    HWND TAboutForm1::*member;
  };
  static constexpr Entry kMembers[] = {
      {"Image1", &TAboutForm1::Image1},   {"Image2", &TAboutForm1::Image2},
      {"Panel1", &TAboutForm1::Panel1},   {"Panel2", &TAboutForm1::Panel2},
      {"Panel3", &TAboutForm1::Panel3},   {"Panel4", &TAboutForm1::Panel4},
      {"Panel7", &TAboutForm1::Panel7},   {"Panel8", &TAboutForm1::Panel8},
      {"Bevel1", &TAboutForm1::Bevel1},   {"Label1", &TAboutForm1::Label1},
      {"Label2", &TAboutForm1::Label2},   {"Label3", &TAboutForm1::Label3},
      {"Edit1", &TAboutForm1::Edit1},     {"Edit2", &TAboutForm1::Edit2},
      {"BitBtn1", &TAboutForm1::BitBtn1},
  };
  for (const Entry& entry : kMembers) {
    if (std::strcmp(entry.name, name) == 0) return &(this->*entry.member);
  }
  return nullptr;
}

void TAboutForm1::Create(HWND owner) {
  CreateHandle(DialogParams("TAboutForm1", Text(kTextAboutCaption), kFormStyle, kFormExStyle,
                            kAboutClientWidth, kAboutClientHeight, owner));
  if (!Handle()) return;
  // Laid out at 96 dots per inch, scaled to the density of the box's monitor;
  // not scaled with the system font.
  dpi_ = WindowDpi(Handle());
  CreateFonts();
  FitClientArea();
  CreateControls();
}

void TAboutForm1::CreateFonts() {
  font_.Reset(CreateUiFont(dpi_.FontHeight(12)));
  bannerFont_.Reset(CreateShiftJisFont(dpi_.FontHeight(36), FW_BOLD, true, "Tahoma"));
  bannerSubFont_.Reset(CreateUiFont(dpi_.FontHeight(12), FW_BOLD));
  // The image made for the size the box draws it at (48 pixels at 144 dpi).
  if (icon_) DestroyIcon(icon_);
  icon_ = LoadAppIcon(dpi_.Scale(32));
}

void TAboutForm1::FormDpiChanged(Dpi dpi, const RECT& suggested) {
  if (dpi != dpi_) {
    dpi_ = dpi;
    // Top-level children only: a panel takes its address box with it.
    for (const AboutRow& c : kControls) {
      HWND* member = Member(c.name);
      if (!c.parent && *member) DestroyWindow(*member);
    }
    for (const AboutRow& c : kControls) *Member(c.name) = nullptr;
    lastFocus_ = nullptr;
    CreateFonts();
    CreateControls();
  }
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  FitClientArea();
}

// The frame's thickness is the platform's to decide: measure the client area
// actually obtained and correct the outer size until it is 420 x 285.
void TAboutForm1::FitClientArea() {
  RECT window, client;
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  const int dx = dpi_.Scale(kAboutClientWidth) - client.right;
  const int dy = dpi_.Scale(kAboutClientHeight) - client.bottom;
  if (dx == 0 && dy == 0) return;
  SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left + dx,
               window.bottom - window.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TAboutForm1::CreateControls() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const AboutRow& c : kControls) {
    HWND parent = c.parent ? *Member(c.parent) : Handle();
    const Bounds scaled = Scaled(c.bounds, dpi_);
    int left = scaled.left, top = scaled.top, width = scaled.width, height = scaled.height;
    const wchar_t* className = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (c.kind) {
      case Kind::Picture:
        style |= SS_OWNERDRAW;
        break;
      case Kind::Panel:
        // A lowered one-pixel bevel with the text centred; a panel that
        // frames an address box lets Tab reach into it.
        style |= SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | WS_CLIPCHILDREN;
        exStyle = WS_EX_STATICEDGE | WS_EX_CONTROLPARENT;
        break;
      case Kind::Line:
        // Drawn by the box: an etched static would resize itself.
        style |= SS_OWNERDRAW;
        break;
      case Kind::Label: {
        style |= SS_LEFT | SS_NOPREFIX;
        const SIZE size = TextSize(font_.Get(), Text(c.text));
        width = size.cx;
        height = size.cy;
        break;
      }
      case Kind::Edit: {
        className = L"EDIT";
        style |= ES_LEFT | ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP;
        // Bounds are measured from the panel's outer corner, inside its bevel.
        POINT origin{0, 0};
        RECT parentWindow;
        ClientToScreen(parent, &origin);
        GetWindowRect(parent, &parentWindow);
        left -= origin.x - parentWindow.left;
        top -= origin.y - parentWindow.top;
        break;
      }
      case Kind::Button:
        className = L"BUTTON";
        style |= BS_OWNERDRAW | WS_TABSTOP;
        break;
    }
    HWND control = CreateWindowExW(
        exStyle, className, Widen(Text(c.text)).c_str(), style, left, top, width, height,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    *Member(c.name) = control;
  }
}

int TAboutForm1::ShowModal() {
  if (!Handle() || IsWindowVisible(Handle())) return 0;
  RECT r;
  GetWindowRect(Handle(), &r);
  if (!shownBefore_ || !OnSomeWorkArea(r)) {
    // Centred on the primary display the first time; afterwards the box
    // opens where it was left, unless that is off every screen now.
    const int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    shownBefore_ = true;
  }
  HWND previousActive = GetActiveWindow();
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow,
                    reinterpret_cast<LPARAM>(&disabled));
  for (HWND window : disabled) EnableWindow(window, FALSE);

  modalResult_ = 0;
  activationOwed_ = true;
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetActiveWindow(Handle());

  modalResult_ = RunModal(Handle(), modalResult_);

  // Enable the other windows before hiding, so that activation returns to
  // them rather than to another program.
  for (HWND window : disabled) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  activationOwed_ = false;
  ShowWindow(Handle(), SW_HIDE);
  if (previousActive && IsWindow(previousActive) && previousActive != Handle()) {
    SetActiveWindow(previousActive);
  }
  return modalResult_;
}

void TAboutForm1::CloseModal(int result) { modalResult_ = result; }

void TAboutForm1::FormActivate() {
  RECT r;
  GetClientRect(BitBtn1, &r);
  POINT centre{r.right / 2, r.bottom / 2};
  ClientToScreen(BitBtn1, &centre);
  SetCursorPos(centre.x, centre.y);
}

void TAboutForm1::OnActivate(WPARAM wparam, LPARAM lparam) {
  if (LOWORD(wparam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
    return;
  }
  SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : BitBtn1);
  // Activation that comes with a showing, or from another of this program's
  // windows; not the return from another program.
  HWND previous = reinterpret_cast<HWND>(lparam);
  if (activationOwed_ || SameThread(previous)) {
    activationOwed_ = false;
    FormActivate();
  }
}

void TAboutForm1::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.hwndItem == Image2) {
    DrawBanner(item.hDC, item.rcItem, bannerFont_.Get(), bannerSubFont_.Get(), dpi_);
  } else if (item.hwndItem == Image1) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (icon_)
      DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, icon_, dpi_.Scale(32), dpi_.Scale(32),
                 0, nullptr, DI_NORMAL);
  } else if (item.hwndItem == Bevel1) {
    RECT line = item.rcItem;
    FillRect(item.hDC, &line, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &line, EDGE_ETCHED, BF_TOP);
  } else if (item.hwndItem == BitBtn1) {
    DrawGlyphButton(item, font_.Get(), dpi_);
  }
}

LRESULT TAboutForm1::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_COMMAND:
      // OK, or Enter through the default button. Escape (IDCANCEL) does not
      // close the box: it has no Cancel button.
      if (LOWORD(wparam) == IDOK && HIWORD(wparam) == BN_CLICKED) CloseModal(IDOK);
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE:
      CloseModal(IDCANCEL);
      return 0;
    case WM_ACTIVATE:
      OnActivate(wparam, lparam);
      return 0;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_DPICHANGED:
      FormDpiChanged(ValidDpi(HIWORD(wparam)), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    default:
      return TForm::WndProc(msg, wparam, lparam);
  }
}

}  // namespace korvath
