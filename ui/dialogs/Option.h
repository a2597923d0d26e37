#pragma once
// The options dialog: the user's own file name masks, added, deleted and
// moved in a list; OK writes the whole settings file and gives the file type
// selector its new filter string, Cancel just closes.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Form.h"
#include "OptionLayout.h"
#include "UiFont.h"

namespace korvath {

class ProfileStore;

inline constexpr int kOptionFormWidth = 288;  // outer width, fixed
inline constexpr int kOptionMinHeight = 322;  // outer height
inline constexpr int kOptionDesignMaxHeight = 1200;
inline constexpr int kOptionClientWidth = 280;  // client size as laid out
inline constexpr int kOptionClientHeight = 295;

namespace testsupport {
struct DialogAccess;
}

// The dialog's controls, named as in its layout: a private base of the
// dialog, reached from outside only by the tests, through
// testsupport::DialogAccess.
struct OptionFormControls {
  HWND Label5 = nullptr;  // "ユーザ定義ファイル"
  HWND Bevel1 = nullptr;  // line to the right of the heading
  HWND Label1 = nullptr;
  HWND Edit1 = nullptr;
  HWND BitBtn3 = nullptr;  // Add
  HWND ListBox1 = nullptr;
  HWND BitBtn4 = nullptr;       // Delete
  HWND SpeedButton1 = nullptr;  // up
  HWND SpeedButton2 = nullptr;  // down
  HWND BitBtn2 = nullptr;       // Cancel
  HWND BitBtn1 = nullptr;       // OK
  HWND Image1 = nullptr;        // size grip
};

class TOptionForm1 : public TForm, private OptionFormControls {
 public:
  TOptionForm1();
  ~TOptionForm1() override;

  // Creates the dialog hidden; owner is the window it stays above (the
  // application's owner window when null).
  void Create(HWND owner = nullptr);

  // Shows the dialog modally, centred over ModalOwner, which is disabled
  // meanwhile; returns IDOK after a successful OK, else IDCANCEL.
  int ShowModal();
  bool Showing() const { return showing_; }

  // The largest outer height; a value below the smallest height lowers that
  // one too.
  void SetMaxHeight(int height);
  int MinHeight() const { return minHeight_; }
  int MaxHeight() const { return maxHeight_; }

  // Clears the list and fills it from Option/FileCount and File0 ...
  void LoadUserMasks(ProfileStore& store);

  // The list's rows in order (the working copy of the user's masks) and its
  // selection (-1 for none).
  const std::vector<std::string>& Rows() const;
  int ItemIndex() const;
  // What a whole settings save writes: the rows, except while the dialog is
  // open and not saving its own OK, when the rows of its opening count
  // (a program ended meanwhile keeps the masks as a Cancel would).
  std::vector<std::string> MasksToSave() const;

  // Set by the main window: the window the dialog is modal to, its whole
  // settings save (false when it failed; it has told the user), and what
  // rebuilds the file type selector from the rows.
  HWND ModalOwner = nullptr;
  std::function<bool()> SaveSettings;
  std::function<void(const std::vector<std::string>& rows)> RebuildFilter;

  // ---- Handlers ----
  void BitBtn1Click();
  void BitBtn2Click();
  void BitBtn3Click();
  void BitBtn4Click();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void ListBox1Click();
  void Edit1Enter();
  void FormResize();
  void UpdateArrowButtons();

 protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  friend struct testsupport::DialogAccess;

  void CreateControls();
  // The controls at their table places and fonts at dpi_, and the outer
  // size the dialog's client area needs at it.
  void PlaceControls();
  SIZE OuterSize(int clientHeight) const;
  void FormDpiChanged(Dpi dpi, const RECT& suggested);
  void OnCommand(WPARAM wparam, LPARAM lparam);
  void DrawItem(const DRAWITEMSTRUCT& item);
  void CloseModal(int result);
  void MoveRow(int from, int to);
  void SetRows(const std::vector<std::string>& rows);

  OwnedFont font_;  // 12 px, every control's
  Dpi dpi_;         // the density the dialog is laid out at
  int minHeight_ = kOptionMinHeight;
  int maxHeight_ = kOptionDesignMaxHeight;
  HWND lastFocus_ = nullptr;  // the control that had the focus at the last closing
  bool showing_ = false;
  bool accepting_ = false;  // OK's own save is running
  int modalResult_ = 0;
  // The list's rows, kept beside the control so that a thousand of them are
  // not read back one message at a time at every save.
  std::vector<std::string> rows_;
  std::vector<std::string> openedRows_;  // the rows at the opening, for Cancel
};

}  // namespace korvath
