#include "Form.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "Application.h"
#include "Texts.h"
#include "WideText.h"

namespace korvath {

namespace {
std::runtime_error WindowError(const char* call, const char* className) {
  const DWORD error = GetLastError();
  return std::runtime_error(
      FormatText(kTextCannotCreateWindow, {className, call, std::to_string(error)}));
}
}  // namespace

TForm::~TForm() {
  if (handle_ && IsWindow(handle_)) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

TForm::CreateParams TForm::DialogParams(const char* className, std::string_view caption, DWORD style,
                                        DWORD exStyle, int clientWidth, int clientHeight,
                                        HWND owner) {
  RECT outer{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  CreateParams p;
  p.className = className;
  p.caption = std::string(caption);
  p.style = style;
  p.exStyle = exStyle;
  p.left = 0;
  p.top = 0;
  p.width = outer.right - outer.left;
  p.height = outer.bottom - outer.top;
  p.owner = owner ? owner : Application.Handle();
  return p;
}

void TForm::CreateHandle(const CreateParams& p) {
  HINSTANCE instance = Application.Instance() ? Application.Instance() : GetModuleHandleW(nullptr);
  const std::wstring className = Widen(p.className);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (!GetClassInfoExW(instance, className.c_str(), &existing)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TForm::Trampoline;
    wc.hInstance = instance;
    wc.hIcon = p.icon;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = p.background;
    wc.lpszClassName = className.c_str();
    if (!RegisterClassExW(&wc)) throw WindowError("RegisterClassExW", p.className);
  }
  // A window that is not there would leave every later step working on a
  // null handle: the creation ends here, reported.
  if (!CreateWindowExW(p.exStyle, className.c_str(), Widen(p.caption).c_str(), p.style, p.left,
                       p.top, p.width, p.height, p.owner, nullptr, instance, this)) {
    throw WindowError("CreateWindowExW", p.className);
  }
}

LRESULT TForm::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  return DefaultHandler(msg, wparam, lparam);
}

LRESULT TForm::DefaultHandler(UINT msg, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(handle_, msg, wparam, lparam);
}

LRESULT CALLBACK TForm::Trampoline(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    auto* self = static_cast<TForm*>(create->lpCreateParams);
    self->handle_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wparam, lparam);
  LRESULT result = 0;
  Application.Guard([&] { result = self->WndProc(msg, wparam, lparam); });
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
  }
  return result;
}

int RunModal(HWND dialog, const int& modalResult) {
  MSG msg;
  while (modalResult == 0) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      return IDCANCEL;
    }
    if (IsDialogMessageW(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return modalResult;
}

namespace {
BOOL CALLBACK IntersectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
  auto* bounds = reinterpret_cast<std::pair<RECT, bool>*>(param);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  RECT common;
  if (GetMonitorInfoW(monitor, &info) && IntersectRect(&common, &bounds->first, &info.rcWork)) {
    bounds->second = true;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

bool OnSomeWorkArea(const RECT& bounds) {
  std::pair<RECT, bool> search{bounds, false};
  EnumDisplayMonitors(nullptr, nullptr, &IntersectWorkArea, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

}  // namespace korvath
