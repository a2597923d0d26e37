#include "Application.h"

#include "MessageBox.h"

namespace korvath {

TApplication Application;

namespace {
constexpr char kAppWindowClass[] = "KorvathApplication";
}

std::string ErrorReportText(const std::string& message) {
  std::string text = message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  return text;
}

TApplication::~TApplication() {
  if (handle_) DestroyWindow(handle_);
}

void TApplication::Initialize(HINSTANCE instance) {
  instance_ = instance;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &TApplication::WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  wc.lpszClassName = kAppWindowClass;
  RegisterClassExA(&wc);
  // A zero-sized, never activated top-level window: it carries the title and
  // owns the forms.
  handle_ = CreateWindowExA(0, kAppWindowClass, title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, instance, nullptr);
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_) SetWindowTextA(handle_, title_.c_str());
}

void TApplication::Minimize() {
  if (handle_) ShowWindow(handle_, SW_MINIMIZE);
}

void TApplication::Restore() {
  if (handle_) ShowWindow(handle_, SW_RESTORE);
}

void TApplication::ShowException(const std::exception& error) {
  ShowMessage(GetActiveWindow(), ErrorReportText(error.what()), title_, MB_OK | MB_ICONERROR);
}

int TApplication::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    HWND active = GetActiveWindow();
    if (active && IsDialogMessageA(active, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

LRESULT CALLBACK TApplication::WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

}  // namespace korvath
