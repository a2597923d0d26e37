// The main window's menus: built from the item table, rebuilt when an item
// is shown or hidden, and the item services the handlers use.

#include <string>
#include <vector>

#include "Setup.h"
#include "SetupMenus.h"
#include "Texts.h"
#include "WideText.h"

namespace korvath {

namespace {
constexpr TextId kMenuTitles[] = {kTextMenuFile, kTextMenuSelect, kTextMenuView, kTextMenuHelp};

std::string Label(TextId id) { return std::string(Text(id)); }

// Until File is opened: "(&1)C:\" in Japanese, "&1 C:\" in English.
std::string RecentFolder(int number) {
  return FormatText(kTextMenuRecentFolder, {std::to_string(number), "C:\\"});
}

// Every item of a menu has its own access key, the hidden ones included:
// "Sort" beside "Status" takes its T, "Natural" beside "Name" its A.
std::vector<MenuItemRow> MenuItems() {
  return {
      {kMenuFile, kCmdKUndo1, Label(kTextMenuUndo), true, false},
      {kMenuFile, kCmdKProperty1, Label(kTextMenuProperties)},
      {kMenuFile, kCmdN1, ""},
      {kMenuFile, kCmdN11, RecentFolder(1)},
      {kMenuFile, kCmdN21, RecentFolder(2)},
      {kMenuFile, kCmdN31, RecentFolder(3)},
      {kMenuFile, kCmdN41, RecentFolder(4)},
      {kMenuFile, kCmdN51, RecentFolder(5)},
      {kMenuFile, kCmdN61, RecentFolder(6)},
      {kMenuFile, kCmdN2, ""},
      {kMenuFile, kCmdKExit1, Label(kTextMenuExit)},
      {kMenuSelect, kCmdSelectAll1, Label(kTextMenuSelectAll)},
      {kMenuSelect, kCmdChange1, Label(kTextMenuInvertSelection)},
      {kMenuSelect, kCmdNot1, Label(kTextMenuSelectNone)},
      {kMenuView, kCmdKStatus1, Label(kTextMenuStatusBar), false},
      {kMenuView, kCmdKRenew1, Label(kTextMenuRefresh)},
      {kMenuView, kCmdN3, ""},
      {kMenuView, kCmdKOption1, Label(kTextMenuOptions)},
      {kMenuView, kCmdKSort1, Label(kTextMenuSort), true, true, false, kMenuSort},
      {kMenuSort, kCmdKName1, Label(kTextMenuSortByName), true, true, true, -1, true},
      {kMenuSort, kCmdKNatural1, Label(kTextMenuSortNatural), true, true, false, -1, true},
      {kMenuSort, kCmdKDate1, Label(kTextMenuSortByDate), true, true, false, -1, true},
      {kMenuSort, kCmdKShoot1, Label(kTextMenuSortByShootingDate), true, true, false, -1, true},
      {kMenuSort, kCmdKHand1, Label(kTextMenuSortByHand), false, true, false, -1, true},
      {kMenuHelp, kCmdWeb1, Label(kTextMenuWebSite)},
      {kMenuHelp, kCmdN4, ""},
      {kMenuHelp, kCmdKAbout1, Label(kTextMenuAbout)},
      {kMenuPopup, kCmdKProperty2, Label(kTextMenuProperties)},
  };
}
}  // namespace

void TSetupForm1::CreateMenus() {
  menus_->items = MenuItems();
  MainMenu1 = CreateMenu();
  for (int m = 0; m < kMenuPopup; ++m) {
    menus_->menus[m] = CreatePopupMenu();
    AppendMenuW(MainMenu1, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menus_->menus[m]),
                Widen(Text(kMenuTitles[m])).c_str());
  }
  menus_->menus[kMenuPopup] = CreatePopupMenu();
  menus_->menus[kMenuSort] = CreatePopupMenu();
  KSort1 = menus_->menus[kMenuSort];
  KFile1 = menus_->menus[kMenuFile];
  Edit2 = menus_->menus[kMenuSelect];
  KView1 = menus_->menus[kMenuView];
  KHelp1 = menus_->menus[kMenuHelp];
  PopupMenu1 = menus_->menus[kMenuPopup];
  for (int m = 0; m < kMenuCount; ++m) RebuildMenu(m);
  SetMenu(Handle(), MainMenu1);
}

void TSetupForm1::RebuildMenu(int menuIndex) {
  HMENU menu = menus_->menus[menuIndex];
  // Removed, not deleted: a submenu stays for the next rebuild.
  while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
  for (const MenuItemRow& item : menus_->items) {
    if (item.menu != menuIndex || !item.visible) continue;
    if (item.caption.empty()) {
      AppendMenuW(menu, MF_SEPARATOR, item.command, nullptr);
    } else if (item.submenu >= 0) {
      AppendMenuW(menu, MF_POPUP | MF_STRING,
                  reinterpret_cast<UINT_PTR>(menus_->menus[item.submenu]),
                  Widen(item.caption).c_str());
    } else {
      UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED) |
                   (item.checked ? MF_CHECKED : MF_UNCHECKED);
      AppendMenuW(menu, flags, item.command, Widen(item.caption).c_str());
      if (item.radio) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_STRING | MFT_RADIOCHECK;
        SetMenuItemInfoW(menu, item.command, FALSE, &info);
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Menu item access

namespace {
MenuItemRow* Find(std::vector<MenuItemRow>& items, UINT command) {
  for (MenuItemRow& item : items) {
    if (item.command == command) return &item;
  }
  return nullptr;
}
}  // namespace

void TSetupForm1::SetMenuItemVisible(UINT command, bool visible) {
  MenuItemRow* item = Find(menus_->items, command);
  if (!item || item->visible == visible) return;
  item->visible = visible;
  RebuildMenu(item->menu);
}

bool TSetupForm1::MenuItemVisible(UINT command) const {
  const MenuItemRow* item = Find(menus_->items, command);
  return item && item->visible;
}

void TSetupForm1::SetMenuItemCaption(UINT command, const std::string& caption) {
  MenuItemRow* item = Find(menus_->items, command);
  if (!item || item->caption == caption) return;
  item->caption = caption;
  RebuildMenu(item->menu);
}

std::string TSetupForm1::MenuItemCaption(UINT command) const {
  const MenuItemRow* item = Find(menus_->items, command);
  return item ? item->caption : std::string();
}

void TSetupForm1::SetMenuItemEnabled(UINT command, bool enabled) {
  MenuItemRow* item = Find(menus_->items, command);
  if (!item) return;
  item->enabled = enabled;
  EnableMenuItem(menus_->menus[item->menu], command,
                 MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool TSetupForm1::MenuItemEnabled(UINT command) const {
  const MenuItemRow* item = Find(menus_->items, command);
  return item && item->enabled;
}

void TSetupForm1::SetMenuItemChecked(UINT command, bool checked) {
  MenuItemRow* item = Find(menus_->items, command);
  if (!item) return;
  item->checked = checked;
  CheckMenuItem(menus_->menus[item->menu], command,
                MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool TSetupForm1::MenuItemChecked(UINT command) const {
  const MenuItemRow* item = Find(menus_->items, command);
  return item && item->checked;
}

}  // namespace korvath
