#pragma once
// Names for screen readers. The system names a control by its caption, or,
// for a few standard controls, by the label just before it; the main
// window's own controls have neither (a spin field's caption is its value,
// the lists draw their lines themselves). A control named here answers the
// reader's WM_GETOBJECT with the system's own accessible object, its name,
// and for the lists the names of their lines, put in.

#include <windows.h>

#include <functional>
#include <string>

namespace korvath {

struct AccessibleText {
  std::string Name;
  // A field whose caption is its value, stepped by the arrow keys.
  bool SpinField = false;
  // A list's lines (index from 0): the text read for each, and whether it
  // carries a ticked box (nullptr: the lines have no boxes).
  std::function<std::string(int index)> ItemName = nullptr;
  std::function<bool(int index)> ItemChecked = nullptr;
};

// Once per control; the text is kept until the control is destroyed.
void SetAccessibleText(HWND control, AccessibleText text);

}  // namespace korvath
