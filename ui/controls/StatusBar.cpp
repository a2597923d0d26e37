#include "StatusBar.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "ControlClass.h"
#include "Handles.h"
#include "WideText.h"

namespace korvath {
namespace {

constexpr char kClassName[] = "KorvathStatusBar";
constexpr int kVerticalBorder = 2;  // above and below the panels
constexpr int kGap = 2;             // between two panels
constexpr int kTextMargin = 3;      // before a left-aligned text
constexpr int kSimplePart = SB_SIMPLEID;
constexpr int kMaxParts = 256;

struct Part {
  int edge = -1;  // right edge in client pixels; -1 reaches the bar's end
  std::wstring text;  // kept wide: the run redraws it once per file
  WORD type = 0;      // SBT_NOBORDERS, SBT_POPOUT
  int progress = -1;  // thousandths of a progress bar, -1: none
};

struct StatusBarState {
  HWND window = nullptr;
  HFONT font = nullptr;
  bool simple = false;
  std::vector<Part> parts = std::vector<Part>(1);
  Part simplePart;
};

StatusBarState* StateOf(HWND window) {
  return reinterpret_cast<StatusBarState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The grip shows while the bar's parent can still be resized by it.
bool GripShown(const StatusBarState& state) {
  HWND parent = GetParent(state.window);
  if (!parent) return false;
  LONG_PTR style = GetWindowLongPtrW(parent, GWL_STYLE);
  return (style & WS_THICKFRAME) != 0 && (style & WS_MAXIMIZE) == 0;
}

RECT GripRect(const StatusBarState& state) {
  RECT client;
  GetClientRect(state.window, &client);
  int size = GetSystemMetrics(SM_CXVSCROLL);
  return {client.right - size, std::max(0L, client.bottom - size), client.right, client.bottom};
}

// Bounds of part index (kSimplePart: the simple mode's single panel), or an
// empty rectangle for a part the bar does not hold.
RECT PartRect(const StatusBarState& state, int index) {
  RECT client;
  GetClientRect(state.window, &client);
  RECT r{0, kVerticalBorder, client.right, client.bottom - kVerticalBorder};
  if (index == kSimplePart) return r;
  if (index < 0 || index >= static_cast<int>(state.parts.size())) return {};
  for (int i = 0; i <= index; ++i) {
    if (i > 0) r.left = r.right + kGap;
    int edge = state.parts[static_cast<std::size_t>(i)].edge;
    r.right = edge < 0 ? client.right : std::max<LONG>(r.left, edge);
  }
  return r;
}

HFONT FontOf(const StatusBarState& state) {
  return state.font ? state.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Draws one panel with its border and its text, tab-separated into a left,
// a centred and a right-aligned piece.
void DrawPart(const StatusBarState& state, HDC dc, RECT r, const Part& part) {
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (!(part.type & SBT_NOBORDERS)) {
    DrawEdge(dc, &r, (part.type & SBT_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER,
             BF_RECT | BF_ADJUST);
  }
  if (part.progress >= 0) {
    RECT bar = r;
    InflateRect(&bar, -1, -1);
    bar.right = bar.left + (bar.right - bar.left) * std::min(part.progress, 1000) / 1000;
    if (bar.right > bar.left) FillRect(dc, &bar, GetSysColorBrush(COLOR_HIGHLIGHT));
  }
  if (part.text.empty()) return;
  SelectGuard font(dc, FontOf(state));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  RECT textRect = r;
  textRect.left += kTextMargin;
  textRect.right -= 1;
  const UINT aligns[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  std::size_t start = 0;
  for (int piece = 0; piece < 3 && start <= part.text.size(); ++piece) {
    std::size_t tab = piece < 2 ? part.text.find(L'\t', start) : std::wstring::npos;
    std::size_t end = tab == std::wstring::npos ? part.text.size() : tab;
    if (end > start) {
      RECT pieceRect = textRect;
      DrawTextW(dc, part.text.data() + start, static_cast<int>(end - start), &pieceRect,
                aligns[piece] | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (tab == std::wstring::npos) break;
    start = tab + 1;
  }
}

void DrawGrip(const StatusBarState& state, HDC dc) {
  RECT grip = GripRect(state);
  DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void PaintAll(const StatusBarState& state, HDC dc) {
  RECT client;
  GetClientRect(state.window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (state.simple) {
    DrawPart(state, dc, PartRect(state, kSimplePart), state.simplePart);
  } else {
    for (int i = 0; i < static_cast<int>(state.parts.size()); ++i) {
      DrawPart(state, dc, PartRect(state, i), state.parts[static_cast<std::size_t>(i)]);
    }
  }
  if (GripShown(state)) DrawGrip(state, dc);
}

void OnPaint(const StatusBarState& state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(state.window, &ps);
  RECT client;
  GetClientRect(state.window, &client);
  // Drawn off screen first, so that resizing does not flicker.
  {
    OwnedMemoryDC memory(CreateCompatibleDC(dc));
    OwnedBitmap bitmap(
        CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom)));
    SelectGuard selected(memory.Get(), bitmap.Get());
    PaintAll(state, memory.Get());
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
  }
  EndPaint(state.window, &ps);
}

// Draws a panel whose text has just changed, straight onto the screen.
void RedrawPartNow(const StatusBarState& state, int index) {
  if (!IsWindowVisible(state.window)) return;
  if (state.simple != (index == kSimplePart)) return;  // not the display shown
  const Part& part =
      index == kSimplePart ? state.simplePart : state.parts[static_cast<std::size_t>(index)];
  RECT r = PartRect(state, index);
  WindowDC dc(state.window);
  DrawPart(state, dc.Get(), r, part);
  RECT grip = GripRect(state), overlap;
  if (GripShown(state) && IntersectRect(&overlap, &r, &grip)) DrawGrip(state, dc.Get());
}

Part* PartAt(StatusBarState& state, WPARAM wparam) {
  int index = LOBYTE(LOWORD(wparam));
  if (index == kSimplePart) return &state.simplePart;
  if (index >= static_cast<int>(state.parts.size())) return nullptr;
  return &state.parts[static_cast<std::size_t>(index)];
}

LRESULT CALLBACK StatusBarProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    auto* state = new StatusBarState;
    state->window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    return DefWindowProcW(window, msg, wparam, lparam);
  }
  StatusBarState* state = StateOf(window);
  if (!state) return DefWindowProcW(window, msg, wparam, lparam);
  switch (msg) {
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete state;
      return DefWindowProcW(window, msg, wparam, lparam);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      OnPaint(*state);
      return 0;
    case WM_SIZE:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wparam);
      if (LOWORD(lparam)) InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state->font);
    case WM_NCHITTEST: {
      POINT point{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      ScreenToClient(window, &point);
      RECT grip = GripRect(*state);
      if (GripShown(*state) && PtInRect(&grip, point)) return HTBOTTOMRIGHT;
      return HTCLIENT;
    }
    case WM_NCLBUTTONDOWN:
      // Dragging the grip sizes the bar's window, not the bar.
      if (wparam == HTBOTTOMRIGHT) {
        return SendMessageW(GetParent(window), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, lparam);
      }
      break;
    case SB_SETTEXTW: {
      Part* part = PartAt(*state, wparam);
      if (!part) return FALSE;
      const wchar_t* text = reinterpret_cast<const wchar_t*>(lparam);
      WORD type = static_cast<WORD>(LOWORD(wparam) & 0xFF00);
      std::wstring value = text ? text : L"";
      if (part->text == value && part->type == type) return TRUE;
      part->text = std::move(value);
      part->type = type;
      RedrawPartNow(*state, LOBYTE(LOWORD(wparam)));
      return TRUE;
    }
    case kStatusBarSetProgress: {
      Part* part = PartAt(*state, wparam);
      const int value = static_cast<int>(lparam);
      if (!part || part->progress == value) return part != nullptr;
      part->progress = value;
      RedrawPartNow(*state, LOBYTE(LOWORD(wparam)));
      return TRUE;
    }
    case kStatusBarGetProgress: {
      const Part* part = PartAt(*state, wparam);
      return part ? part->progress : -1;
    }
    case SB_GETTEXTW:
    case SB_GETTEXTLENGTHW: {
      Part* part = PartAt(*state, wparam);
      if (!part) return 0;
      if (msg == SB_GETTEXTW && lparam) {
        std::wmemcpy(reinterpret_cast<wchar_t*>(lparam), part->text.c_str(), part->text.size() + 1);
      }
      return MAKELONG(part->text.size(), part->type);
    }
    case SB_SETPARTS: {
      int count = static_cast<int>(wparam);
      const int* edges = reinterpret_cast<const int*>(lparam);
      if (count < 1 || count > kMaxParts || !edges) return FALSE;
      state->parts.resize(static_cast<std::size_t>(count));
      for (int i = 0; i < count; ++i) state->parts[static_cast<std::size_t>(i)].edge = edges[i];
      InvalidateRect(window, nullptr, FALSE);
      return TRUE;
    }
    case SB_GETPARTS: {
      int* edges = reinterpret_cast<int*>(lparam);
      int count = static_cast<int>(state->parts.size());
      for (int i = 0; edges && i < std::min(count, static_cast<int>(wparam)); ++i) {
        edges[i] = state->parts[static_cast<std::size_t>(i)].edge;
      }
      return count;
    }
    case SB_GETRECT: {
      int index = static_cast<int>(wparam);
      if (index < 0 || index >= static_cast<int>(state->parts.size()) || !lparam) return FALSE;
      *reinterpret_cast<RECT*>(lparam) = PartRect(*state, state->simple ? kSimplePart : index);
      return TRUE;
    }
    case SB_GETBORDERS: {
      int* borders = reinterpret_cast<int*>(lparam);
      if (!borders) return FALSE;
      borders[0] = 0;
      borders[1] = kVerticalBorder;
      borders[2] = kGap;
      return TRUE;
    }
    case SB_SIMPLE:
      if (state->simple != (wparam != FALSE)) {
        state->simple = wparam != FALSE;
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case SB_ISSIMPLE:
      return state->simple;
    default:
      break;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

}  // namespace

const char* StatusBarClassName() {
  static bool registered = false;
  if (!registered) {
    RegisterControlClass<&StatusBarProc>(kClassName);
    registered = true;
  }
  return kClassName;
}

HWND CreateStatusBar(HWND parent, int id, int height) {
  return CreateWindowExW(0, Widen(StatusBarClassName()).c_str(), L"",
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace korvath
