#pragma once
// One row of a window's control table. Every window builds its children from
// a table of these, top to bottom in creation order, parents first.

#include <windows.h>

#include "Layout.h"
#include "Texts.h"

namespace korvath {

// Which of its window's fonts a control takes.
enum class FontKind { Normal, Sample, Small };

// Rows name only what differs from these defaults (designated initializers),
// so each reads like a line of the window's design: name, kind, parent,
// bounds, text, font, tab order, handler. Kind is the window's own list of
// the sorts of child it makes; style means what that window makes of it.
// Controls is where the window keeps its control handles (a base of Form).
template <class Form, class Kind, class Controls = Form>
struct ControlRow {
  const char* name = nullptr;
  Kind kind{};
  const char* parent = nullptr;  // nullptr: the window itself
  Bounds bounds{};
  TextId text = kTextNone;
  FontKind font = FontKind::Normal;
  int tabOrder = 0;  // 0: no tab stop, or the creation order is the tab order
  DWORD style = 0;
  DWORD exStyle = 0;
  int id = 0;                                      // 0: the window numbers its rows itself
  int tag = 0;                                     // a step button's step
  bool lockedInRun = false;                        // disabled while a rename run lasts
  void (Form::*click)() = nullptr;                 // click or change
  void (Form::*clickFrom)(HWND sender) = nullptr;  // shared by several controls
  void (Form::*exit)() = nullptr;                  // focus lost
  HWND Controls::*member = nullptr;
};

}  // namespace korvath
