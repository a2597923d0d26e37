#include "Application.h"

#include <stdexcept>

#include "MessageBox.h"
#include "Texts.h"
#include "WideText.h"

namespace korvath {

TApplication Application;

namespace {
constexpr wchar_t kAppWindowClass[] = L"KorvathApplication";
// Posted to the application's window when it has been activated, so that the
// hand-over runs once the activation (or the restore) has completed.
constexpr UINT kMsgHandOverActivation = WM_APP + 1;

bool CanTakeActivation(HWND window) {
  return window && IsWindowVisible(window) && IsWindowEnabled(window) &&
         !(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

struct TopWindowSearch {
  HWND skip;
  HWND found;
};

BOOL CALLBACK FindTopWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TopWindowSearch*>(param);
  if (window == search->skip || !CanTakeActivation(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// The main window, or, while it is disabled by a modal box, the topmost
// window of this thread that takes input: that box.
HWND ActivationTarget(HWND application, HWND main) {
  if (CanTakeActivation(main)) return main;
  TopWindowSearch search{application, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &FindTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
}  // namespace

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
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &TApplication::WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = kAppWindowClass;
  RegisterClassExW(&wc);
  // A zero-sized, never activated top-level window: it carries the title and
  // owns the forms.
  handle_ = CreateWindowExW(0, kAppWindowClass, Widen(title_).c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, instance, nullptr);
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_, Widen(title_).c_str());
}

void TApplication::Minimize() {
  if (handle_) ShowWindow(handle_, SW_MINIMIZE);
}

void TApplication::ShowException(const std::exception& error) {
  ShowMessage(GetActiveWindow(), ErrorReportText(error.what()), title_, MB_OK | MB_ICONERROR);
}

void TApplication::Report(const std::exception* error) noexcept {
  try {
    if (error) {
      ShowException(*error);
    } else {
      ShowException(std::runtime_error(std::string(Text(kTextUnknownError))));
    }
  } catch (...) {
    // Not even the report could be shown (no memory left): the action has
    // ended all the same, and the program goes on.
  }
}

int TApplication::Run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    HWND active = GetActiveWindow();
    if (active && IsDialogMessageW(active, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

// The zero-sized window owns the taskbar entry, so the taskbar's Close and a
// restore or Alt+Tab arrive here rather than at the main window.
LRESULT CALLBACK TApplication::WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (hwnd != Application.handle_) return DefWindowProcW(hwnd, msg, wparam, lparam);
  LRESULT result = 0;
  Application.Guard([&] { result = Application.HandleMessage(msg, wparam, lparam); });
  return result;
}

LRESULT TApplication::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_CLOSE:
      // Closing the taskbar entry closes the main window, which saves the
      // settings and ends the program; this window goes with the process.
      if (mainWindow_ && IsWindow(mainWindow_)) {
        PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) PostMessageW(handle_, kMsgHandOverActivation, 0, 0);
      break;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_RESTORE) {
        LRESULT result = DefWindowProcW(handle_, msg, wparam, lparam);
        PostMessageW(handle_, kMsgHandOverActivation, 0, 0);
        return result;
      }
      break;
    case kMsgHandOverActivation:
      HandOverActivation();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(handle_, msg, wparam, lparam);
}

// This window has no controls: as long as it stays active, keys go nowhere.
// The main window (or the modal box over it) takes the activation, and with
// it the control that had the focus.
void TApplication::HandOverActivation() {
  if (!mainWindow_ || !IsWindow(mainWindow_) || IsIconic(handle_)) return;
  if (GetActiveWindow() != handle_) return;
  if (HWND target = ActivationTarget(handle_, mainWindow_)) SetActiveWindow(target);
}

}  // namespace korvath
