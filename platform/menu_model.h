// A menu as plain data: what the system reports of another program's menus, for the program to
// look through.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sendlark {

// One item of a menu, as the system reports it.
struct MenuNode {
  std::wstring caption;  // with its "&" marks and its accelerator text after a tab
  std::uint32_t id = 0;  // the command identifier the item sends in WM_COMMAND
  bool separator = false;
  std::vector<MenuNode> items;  // not empty: the item opens a submenu
};

using Menu = std::vector<MenuNode>;

}  // namespace sendlark
