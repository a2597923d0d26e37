#include "Form.h"

#include <utility>

#include "Application.h"

namespace korvath {

TForm::~TForm() {
  if (handle_ && IsWindow(handle_)) {
    SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

void TForm::CreateHandle(const CreateParams& p) {
  HINSTANCE instance = Application.Instance() ? Application.Instance() : GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (!GetClassInfoExA(instance, p.className, &existing)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TForm::Trampoline;
    wc.hInstance = instance;
    wc.hIcon = p.icon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = p.background;
    wc.lpszClassName = p.className;
    RegisterClassExA(&wc);
  }
  CreateWindowExA(p.exStyle, p.className, p.caption.c_str(), p.style, p.left, p.top, p.width,
                  p.height, p.owner, nullptr, instance, this);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wparam, LPARAM lparam) {
  return DefaultHandler(msg, wparam, lparam);
}

LRESULT TForm::DefaultHandler(UINT msg, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(handle_, msg, wparam, lparam);
}

LRESULT CALLBACK TForm::Trampoline(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    auto* self = static_cast<TForm*>(create->lpCreateParams);
    self->handle_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wparam, lparam);
  LRESULT result = 0;
  Application.Guard([&] { result = self->WndProc(msg, wparam, lparam); });
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
  }
  return result;
}

int RunModal(HWND dialog, const int& modalResult) {
  MSG msg;
  while (modalResult == 0) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      return IDCANCEL;
    }
    if (IsDialogMessageA(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return modalResult;
}

namespace {
BOOL CALLBACK IntersectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
  auto* bounds = reinterpret_cast<std::pair<RECT, bool>*>(param);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  RECT common;
  if (GetMonitorInfoA(monitor, &info) && IntersectRect(&common, &bounds->first, &info.rcWork)) {
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
