#pragma once
// The About box: the program's name, version, notices and addresses, with
// one OK button. It is created hidden at start-up and shown modally; between
// showings it keeps its screen position and the control last focused.

#include <windows.h>

#include "Dpi.h"
#include "Form.h"
#include "Handles.h"

namespace korvath {

inline constexpr int kAboutClientWidth = 420;
inline constexpr int kAboutClientHeight = 285;

namespace testsupport {
struct DialogAccess;
}

// The box's controls, named as in its layout: a private base of the box,
// reached from outside only by the tests, through testsupport::DialogAccess.
struct AboutFormControls {
  HWND Image1 = nullptr, Image2 = nullptr;
  HWND Panel1 = nullptr, Panel2 = nullptr, Panel3 = nullptr, Panel4 = nullptr, Panel7 = nullptr,
       Panel8 = nullptr;
  HWND Bevel1 = nullptr;
  HWND Label1 = nullptr, Label2 = nullptr, Label3 = nullptr;
  HWND Edit1 = nullptr, Edit2 = nullptr;
  HWND BitBtn1 = nullptr;
};

class TAboutForm1 : public TForm, private AboutFormControls {
 public:
  TAboutForm1() = default;
  ~TAboutForm1() override;

  // Creates the box hidden, owned by `owner` (the application's window when
  // null).
  void Create(HWND owner = nullptr);

  // Shows the box modally: the thread's other windows are disabled, messages
  // run until the box closes, then they are enabled again. Returns IDOK for
  // the OK button or Enter, IDCANCEL for the close box.
  int ShowModal();

  // Puts the mouse pointer on the centre of the OK button; runs when the box
  // is shown and when it is activated from another of the program's windows,
  // not on the return from another program.
  void FormActivate();

 protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  friend struct testsupport::DialogAccess;

  HWND* Member(const char* name);
  void CreateControls();
  void FitClientArea();
  // Fonts and icon at dpi_.
  void CreateFonts();
  // The box moved to a monitor of another density: its controls are made
  // again at the new one (the box keeps no state in them).
  void FormDpiChanged(Dpi dpi, const RECT& suggested);
  void OnActivate(WPARAM wparam, LPARAM lparam);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void CloseModal(int result);

  Dpi dpi_;  // the density the box is laid out at
  OwnedFont font_;
  OwnedFont bannerFont_;
  OwnedFont bannerSubFont_;
  HICON icon_ = nullptr;
  bool shownBefore_ = false;
  bool activationOwed_ = false;  // the showing's first activation is still to come
  int modalResult_ = 0;
  HWND lastFocus_ = nullptr;
};

}  // namespace korvath
