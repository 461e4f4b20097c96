// Reading menus, a window's own or those in a program file, for the setup program to find the
// paste command in.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/listed_window.h"

namespace sendlark::win32 {

// The menu's items with their submenus. Nothing when the system will not tell how many items
// it has (Wine, for a menu of another process). An item opening a submenu that has no items
// carries no command, and is left out.
std::optional<Menu> ReadMenu(HMENU menu);

// The menus among the resources of a program file, in the order the file lists them; none when
// the file cannot be opened.
std::vector<Menu> ReadProgramMenus(const std::wstring& path);

}  // namespace sendlark::win32
