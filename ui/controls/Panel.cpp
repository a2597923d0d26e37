#include "Panel.h"

#include <string>

#include "ControlClass.h"
#include "Handles.h"
#include "WindowText.h"

namespace korvath {

namespace {
constexpr char kClassName[] = "TPanel";
constexpr int kFlagsSlot = 0;
constexpr int kFontSlot = sizeof(LONG_PTR);
// A spin field: digits have been typed since the focus came.
constexpr int kTypingSlot = 2 * sizeof(LONG_PTR);

unsigned FlagsOf(HWND window) {
  return static_cast<unsigned>(GetWindowLongPtrW(window, kFlagsSlot));
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT rect;
  GetClientRect(window, &rect);
  unsigned flags = FlagsOf(window);
  FillRect(dc, &rect, GetSysColorBrush(flags & kPanelWindowColour ? COLOR_WINDOW : COLOR_BTNFACE));
  if (flags & kPanelRaisedInLoweredOut) {
    DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  } else if (flags & kPanelTopLine) {
    RECT line = rect;
    DrawEdge(dc, &line, BDR_SUNKENOUTER, BF_TOP);
  } else if (flags & kPanelLoweredBevel) {
    DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  }
  // A spin field shows the focus as a selected value: a digit typed
  // replaces it.
  const bool focused = (flags & kPanelSpinField) && GetFocus() == window;
  if (focused) {
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FillRect(dc, &inner, GetSysColorBrush(COLOR_HIGHLIGHT));
    DrawFocusRect(dc, &inner);
  }
  const std::wstring text = WideWindowText(window);
  if (!text.empty()) {
    HFONT font = reinterpret_cast<HFONT>(GetWindowLongPtrW(window, kFontSlot));
    SelectGuard selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(focused                   ? COLOR_HIGHLIGHTTEXT
                                 : IsWindowEnabled(window) ? COLOR_WINDOWTEXT
                                                           : COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  EndPaint(window, &ps);
}

void Report(HWND window, WORD key) {
  HWND root = GetAncestor(window, GA_ROOT);
  if (!root || root == window) return;
  SendMessageW(root, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), key),
               reinterpret_cast<LPARAM>(window));
}

// The keys of a spin field; false for every other key and panel.
bool SpinFieldKey(HWND window, UINT msg, WPARAM wparam) {
  if (!(FlagsOf(window) & kPanelSpinField)) return false;
  const bool typing = GetWindowLongPtrW(window, kTypingSlot) != 0;
  if (msg == WM_KEYDOWN) {
    WORD key = 0;
    switch (wparam) {
      case VK_UP:
        key = kPanelKeyUp;
        break;
      case VK_DOWN:
        key = kPanelKeyDown;
        break;
      case VK_PRIOR:
        key = kPanelKeyPageUp;
        break;
      case VK_NEXT:
        key = kPanelKeyPageDown;
        break;
      default:
        return false;
    }
    SetWindowLongPtrW(window, kTypingSlot, 0);
    Report(window, key);
    return true;
  }
  // Digits as typed, the full-width ones of an input method too.
  const wchar_t c = static_cast<wchar_t>(wparam);
  int digit = -1;
  if (c >= L'0' && c <= L'9') digit = c - L'0';
  if (c >= L'\uFF10' && c <= L'\uFF19') digit = c - L'\uFF10';
  if (digit >= 0) {
    SetWindowLongPtrW(window, kTypingSlot, 1);
    Report(window, static_cast<WORD>((typing ? kPanelKeyMoreDigit : kPanelKeyDigit) + digit));
    return true;
  }
  if (c == L'\b') {
    SetWindowLongPtrW(window, kTypingSlot, 1);
    Report(window, kPanelKeyBack);
    return true;
  }
  return false;
}

LRESULT CALLBACK PanelProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_GETDLGCODE:
      if (FlagsOf(window) & kPanelSpinField) return DLGC_WANTARROWS | DLGC_WANTCHARS;
      break;
    case WM_KEYDOWN:
    case WM_CHAR:
      if (SpinFieldKey(window, msg, wparam)) return 0;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      SetWindowLongPtrW(window, kTypingSlot, 0);
      InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_ENABLE:
      InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CONTEXTMENU: {
      // Children report to the main window, whichever panel holds them.
      HWND root = GetAncestor(window, GA_ROOT);
      if (root && root != window) return SendMessageW(root, msg, wparam, lparam);
      break;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_SETFONT:
      SetWindowLongPtrW(window, kFontSlot, static_cast<LONG_PTR>(wparam));
      if (LOWORD(lparam)) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(window, kFontSlot);
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcW(window, msg, wparam, lparam);
      InvalidateRect(window, nullptr, TRUE);
      // A screen reader hears a spin field's new value.
      if (FlagsOf(window) & kPanelSpinField) {
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
      }
      return result;
    }
    case WM_SIZE:
      InvalidateRect(window, nullptr, TRUE);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}
}  // namespace

const char* PanelClassName() {
  static bool registered = false;
  if (!registered) {
    RegisterControlClass<&PanelProc>(kClassName, 0, 3 * sizeof(LONG_PTR));
    registered = true;
  }
  return kClassName;
}

int PanelBevelWidth(unsigned flags) {
  if (flags & kPanelRaisedInLoweredOut) return 2;
  if (flags & kPanelLoweredBevel) return 1;
  return 0;
}

HWND CreatePanel(HWND parent, int id, unsigned flags, DWORD exStyle, int left, int top, int width,
                 int height) {
  HWND panel = CreateWindowExW(
      // A spin field is a tab stop itself, not a container the Tab key enters.
      exStyle | (flags & kPanelSpinField ? 0 : WS_EX_CONTROLPARENT),
      Widen(PanelClassName()).c_str(), L"",
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, left, top, width, height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(panel, kFlagsSlot, static_cast<LONG_PTR>(flags));
  InvalidateRect(panel, nullptr, TRUE);
  return panel;
}

}  // namespace korvath
