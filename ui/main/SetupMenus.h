#pragma once
// The main window's menus as tables of items.

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "Setup.h"

namespace korvath {

// The menu table. Win32 menus cannot hide an item, so each menu is rebuilt
// from its items whenever one is shown or hidden.

enum MenuIndex { kMenuFile, kMenuSelect, kMenuView, kMenuHelp, kMenuPopup, kMenuSort, kMenuCount };

struct MenuItemRow {
  int menu;
  UINT command;
  std::string caption;  // empty: separator
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  int submenu = -1;    // a MenuIndex: the item opens that menu
  bool radio = false;  // checked with a bullet, one of a group
};

struct TSetupForm1::MenuState {
  std::array<HMENU, kMenuCount> menus{};
  std::vector<MenuItemRow> items;
};

}  // namespace korvath
