#pragma once
// The main window.

#include "Form.h"

namespace korvath {

class TSetupForm1 : public TForm {
 public:
  void Create();

 protected:
  LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam) override;
};

extern TSetupForm1* SetupForm1;

}  // namespace korvath
