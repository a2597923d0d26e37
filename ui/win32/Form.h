#pragma once
// Base of the program's windows: one static window procedure binds the
// object at creation and routes every message to the virtual WndProc, inside
// one guard that turns an escaping exception into the general error report.

#include <windows.h>

#include <string>
#include <string_view>

namespace korvath {

class TForm {
 public:
  TForm() = default;
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;
  virtual ~TForm();

  HWND Handle() const { return handle_; }

 protected:
  struct CreateParams {
    const char* className = nullptr;
    std::string caption;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    int left = CW_USEDEFAULT, top = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    HWND owner = nullptr;
    HICON icon = nullptr;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  };

  // A dialog's parameters: the outer size that holds a client area of
  // clientWidth x clientHeight in the given styles, at the screen's top left
  // corner until it is placed, owned by `owner` or else by the application's
  // window.
  static CreateParams DialogParams(const char* className, std::string_view caption, DWORD style,
                                   DWORD exStyle, int clientWidth, int clientHeight, HWND owner);

  // Registers the class on first use and creates the window; throws
  // std::runtime_error when either is refused.
  void CreateHandle(const CreateParams& params);

  // Handles one message; the default passes it to DefWindowProcA.
  virtual LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT DefaultHandler(UINT msg, WPARAM wparam, LPARAM lparam);

 private:
  static LRESULT CALLBACK Trampoline(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

  HWND handle_ = nullptr;
};

// The modal loop of a dialog made as a TForm: runs until modalResult (set
// by the dialog's handlers) is non-zero and returns it. Tab, Enter and Esc
// work as in a dialog box. When the application ends meanwhile, it returns
// IDCANCEL and leaves WM_QUIT for the outer loop.
int RunModal(HWND dialog, const int& modalResult);

// Whether a window standing at `bounds` (screen coordinates) would show at
// least partly on some monitor's work area; a position stored while another
// monitor was attached may lie off every screen.
bool OnSomeWorkArea(const RECT& bounds);

}  // namespace korvath
