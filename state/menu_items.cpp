#include "state/menu_items.h"

namespace sendlark {

MenuState InitialMenus() {
  MenuState menus;
  menus.mnu_sub_sub_log[0] = {L"-", true};
  for (int k = 1; k <= kHistorySize; ++k)
    menus.mnu_sub_sub_log[k] = {L"", false};
  menus.mnu_sub_command = {{L"-", true}};
  return menus;
}

}  // namespace sendlark
