#include "GlyphButton.h"

#include <string>

#include "ControlClass.h"
#include "Handles.h"
#include "WindowText.h"

namespace korvath {

namespace {
constexpr char kSpeedButtonClass[] = "TSpeedButton";
constexpr int kGlyphSlot = 0;
constexpr int kPressedSlot = sizeof(LONG_PTR);
constexpr int kDpiSlot = 2 * sizeof(LONG_PTR);  // 0 until set: the design's

// Each shape is drawn about its centre from offsets in design pixels, s()
// giving them at the button's density.
void Triangle(HDC dc, int cx, int cy, bool up, COLORREF colour, Dpi d) {
  auto s = [d](int length) { return d.Scale(length); };
  // A 7 x 4 triangle at 96: rows of 7, 5, 3, 1 pixels.
  OwnedBrush brush(CreateSolidBrush(colour));
  OwnedPen pen(CreatePen(PS_SOLID, 1, colour));
  SelectGuard b(dc, brush.Get());
  SelectGuard p(dc, pen.Get());
  POINT points[3];
  if (up) {
    points[0] = {cx - s(3), cy + s(1)};
    points[1] = {cx + s(3), cy + s(1)};
    points[2] = {cx, cy - s(2)};
  } else {
    points[0] = {cx - s(3), cy - s(2)};
    points[1] = {cx + s(3), cy - s(2)};
    points[2] = {cx, cy + s(1)};
  }
  Polygon(dc, points, 3);
}

void Box(HDC dc, int cx, int cy, bool ticked, bool enabled, Dpi d) {
  auto s = [d](int length) { return d.Scale(length); };
  RECT box{cx - s(6), cy - s(6), cx + s(7), cy + s(7)};
  FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
  FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
  if (!ticked) return;
  OwnedPen pen(CreatePen(PS_SOLID, s(2), enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT)));
  SelectGuard p(dc, pen.Get());
  MoveToEx(dc, cx - s(4), cy, nullptr);
  LineTo(dc, cx - s(1), cy + s(3));
  LineTo(dc, cx + s(4), cy - s(3));
}

void FolderUp(HDC dc, int cx, int cy, bool enabled, Dpi d) {
  auto s = [d](int length) { return d.Scale(length); };
  COLORREF edge = enabled ? RGB(128, 96, 0) : GetSysColor(COLOR_GRAYTEXT);
  OwnedBrush fill(CreateSolidBrush(enabled ? RGB(255, 208, 64) : GetSysColor(COLOR_BTNFACE)));
  OwnedPen pen(CreatePen(PS_SOLID, 1, edge));
  SelectGuard b(dc, fill.Get());
  SelectGuard p(dc, pen.Get());
  // Folder body with its tab.
  POINT body[] = {{cx - s(8), cy - s(3)}, {cx - s(4), cy - s(3)}, {cx - s(3), cy - s(5)},
                  {cx + s(1), cy - s(5)}, {cx + s(2), cy - s(3)}, {cx + s(8), cy - s(3)},
                  {cx + s(8), cy + s(6)}, {cx - s(8), cy + s(6)}};
  Polygon(dc, body, 8);
  // Arrow pointing up out of the folder.
  OwnedBrush arrow(CreateSolidBrush(enabled ? RGB(0, 128, 0) : GetSysColor(COLOR_GRAYTEXT)));
  OwnedPen arrowPen(CreatePen(PS_SOLID, 1, enabled ? RGB(0, 96, 0) : GetSysColor(COLOR_GRAYTEXT)));
  SelectGuard b2(dc, arrow.Get());
  SelectGuard p2(dc, arrowPen.Get());
  POINT head[] = {{cx + s(1), cy - s(9)}, {cx + s(6), cy - s(4)}, {cx + s(3), cy - s(4)},
                  {cx + s(3), cy + s(2)}, {cx - s(1), cy + s(2)}, {cx - s(1), cy - s(4)},
                  {cx - s(4), cy - s(4)}};
  Polygon(dc, head, 7);
}

void Disc(HDC dc, int cx, int cy, bool enabled, Dpi d) {
  auto s = [d](int length) { return d.Scale(length); };
  if (enabled) {
    OwnedBrush brush(CreateSolidBrush(RGB(224, 0, 0)));
    OwnedPen pen(CreatePen(PS_SOLID, 1, RGB(128, 0, 0)));
    SelectGuard b(dc, brush.Get());
    SelectGuard p(dc, pen.Get());
    Ellipse(dc, cx - s(7), cy - s(7), cx + s(8), cy + s(8));
  } else {
    OwnedPen pen(CreatePen(PS_SOLID, s(2), GetSysColor(COLOR_GRAYTEXT)));
    SelectGuard b(dc, GetStockObject(NULL_BRUSH));
    SelectGuard p(dc, pen.Get());
    Ellipse(dc, cx - s(6), cy - s(6), cx + s(7), cy + s(7));
  }
}

void PaintSpeedButton(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT rect;
  GetClientRect(window, &rect);
  bool pressed = GetWindowLongPtrW(window, kPressedSlot) != 0;
  DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  int shift = pressed ? 1 : 0;
  auto glyph = static_cast<Glyph>(GetWindowLongPtrW(window, kGlyphSlot));
  DrawGlyph(dc, glyph, (rect.right - rect.left) / 2 + shift, (rect.bottom - rect.top) / 2 + shift,
            IsWindowEnabled(window) != FALSE,
            ValidDpi(static_cast<int>(GetWindowLongPtrW(window, kDpiSlot))));
  EndPaint(window, &ps);
}

void SetPressed(HWND window, bool pressed) {
  if ((GetWindowLongPtrW(window, kPressedSlot) != 0) == pressed) return;
  SetWindowLongPtrW(window, kPressedSlot, pressed ? 1 : 0);
  InvalidateRect(window, nullptr, TRUE);
}

bool Inside(HWND window, LPARAM lparam) {
  RECT rect;
  GetClientRect(window, &rect);
  POINT pt{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  return PtInRect(&rect, pt) != FALSE;
}

LRESULT CALLBACK SpeedButtonProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetCapture(window);
      SetPressed(window, true);
      return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() == window) SetPressed(window, Inside(window, lparam));
      return 0;
    case WM_LBUTTONUP: {
      bool click = GetCapture() == window && Inside(window, lparam);
      if (GetCapture() == window) ReleaseCapture();
      SetPressed(window, false);
      if (click) {
        SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                     reinterpret_cast<LPARAM>(window));
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      SetPressed(window, false);
      return 0;
    case WM_ENABLE:
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintSpeedButton(window);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

const char* SpeedButtonClassName() {
  static bool registered = false;
  if (!registered) {
    RegisterControlClass<&SpeedButtonProc>(kSpeedButtonClass, CS_DBLCLKS, 3 * sizeof(LONG_PTR));
    registered = true;
  }
  return kSpeedButtonClass;
}
}  // namespace

HWND CreateSpeedButton(HWND parent, int id, Glyph glyph, int left, int top, int width, int height) {
  HWND button =
      CreateWindowExW(0, Widen(SpeedButtonClassName()).c_str(), L"", WS_CHILD | WS_VISIBLE, left,
                      top, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(button, kGlyphSlot, static_cast<LONG_PTR>(glyph));
  return button;
}

void SetSpeedButtonDpi(HWND button, Dpi dpi) {
  SetWindowLongPtrW(button, kDpiSlot, dpi.value);
  InvalidateRect(button, nullptr, TRUE);
}

void DrawGlyph(HDC dc, Glyph glyph, int cx, int cy, bool enabled, Dpi dpi) {
  COLORREF ink = enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT);
  switch (glyph) {
    case Glyph::TriangleUp:
      Triangle(dc, cx, cy, true, ink, dpi);
      break;
    case Glyph::TriangleDown:
      Triangle(dc, cx, cy, false, ink, dpi);
      break;
    case Glyph::FolderUp:
      FolderUp(dc, cx, cy, enabled, dpi);
      break;
    case Glyph::TickedBox:
      Box(dc, cx, cy, true, enabled, dpi);
      break;
    case Glyph::EmptyBox:
      Box(dc, cx, cy, false, enabled, dpi);
      break;
    case Glyph::ExecuteDisc:
      Disc(dc, cx, cy, enabled, dpi);
      break;
  }
}

GlyphCaptionPlace PlaceGlyphAndCaption(int buttonWidth, int captionWidth, Dpi dpi) {
  const int glyphAndSpace = dpi.Scale(kExecuteGlyphSize + kGlyphCaptionSpacing);
  int block = glyphAndSpace + captionWidth;
  GlyphCaptionPlace place;
  place.glyphLeft = (buttonWidth - block) / 2;
  place.captionLeft = place.glyphLeft + glyphAndSpace;
  return place;
}

void DrawExecuteButton(const DRAWITEMSTRUCT& item, HFONT font, Dpi dpi) {
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  bool enabled = !(item.itemState & ODS_DISABLED);
  bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  // The default button's dark outline, then the raised or pushed face.
  FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
  InflateRect(&rect, -1, -1);
  DrawFrameControl(dc, &rect, DFC_BUTTON,
                   DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0));

  const std::wstring caption = WideWindowText(item.hwndItem);
  SelectGuard selected(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  int width = item.rcItem.right - item.rcItem.left;
  int height = item.rcItem.bottom - item.rcItem.top;
  GlyphCaptionPlace place = PlaceGlyphAndCaption(width, extent.cx, dpi);
  int shift = pressed ? 1 : 0;
  DrawGlyph(dc, Glyph::ExecuteDisc,
            item.rcItem.left + place.glyphLeft + dpi.Scale(kExecuteGlyphSize) / 2 + shift,
            item.rcItem.top + height / 2 + shift, enabled, dpi);
  SetBkMode(dc, TRANSPARENT);
  int textTop = item.rcItem.top + (height - extent.cy) / 2 + shift;
  int textLeft = item.rcItem.left + place.captionLeft + shift;
  if (enabled) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TextOutW(dc, textLeft, textTop, caption.c_str(), static_cast<int>(caption.size()));
  } else {
    // Embossed like a disabled caption: highlight offset, then shadow.
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    TextOutW(dc, textLeft + 1, textTop + 1, caption.c_str(), static_cast<int>(caption.size()));
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    TextOutW(dc, textLeft, textTop, caption.c_str(), static_cast<int>(caption.size()));
  }
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -dpi.Scale(4), -dpi.Scale(4));
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace korvath
