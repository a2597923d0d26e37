#include "Panel.h"

#include <string>

#include "ControlClass.h"
#include "Handles.h"

namespace korvath {

namespace {
constexpr char kClassName[] = "TPanel";
constexpr int kFlagsSlot = 0;
constexpr int kFontSlot = sizeof(LONG_PTR);

unsigned FlagsOf(HWND window) {
  return static_cast<unsigned>(GetWindowLongPtrA(window, kFlagsSlot));
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
  int length = GetWindowTextLengthA(window);
  if (length > 0) {
    std::string text(length + 1, '\0');
    text.resize(GetWindowTextA(window, text.data(), length + 1));
    HFONT font = reinterpret_cast<HFONT>(GetWindowLongPtrA(window, kFontSlot));
    SelectGuard selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  EndPaint(window, &ps);
}

LRESULT CALLBACK PanelProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
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
      if (root && root != window) return SendMessageA(root, msg, wparam, lparam);
      break;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_SETFONT:
      SetWindowLongPtrA(window, kFontSlot, static_cast<LONG_PTR>(wparam));
      if (LOWORD(lparam)) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrA(window, kFontSlot);
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcA(window, msg, wparam, lparam);
      InvalidateRect(window, nullptr, TRUE);
      return result;
    }
    case WM_SIZE:
      InvalidateRect(window, nullptr, TRUE);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, msg, wparam, lparam);
}
}  // namespace

const char* PanelClassName() {
  static bool registered = false;
  if (!registered) {
    RegisterControlClass<&PanelProc>(kClassName, 0, 2 * sizeof(LONG_PTR));
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
  HWND panel = CreateWindowExA(
      exStyle | WS_EX_CONTROLPARENT, PanelClassName(), "",
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, left, top, width, height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(panel, kFlagsSlot, static_cast<LONG_PTR>(flags));
  InvalidateRect(panel, nullptr, TRUE);
  return panel;
}

}  // namespace korvath
