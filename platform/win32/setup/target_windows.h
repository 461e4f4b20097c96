// The windows that could be Sendlark's target and their menus, as the system tells of them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/setup_window_events.h"

namespace sendlark::win32 {

// The visible top-level windows of other processes, in the system's order (front to back).
std::vector<ListedWindow> ListTargetWindows();

// One window, whoever owns it; nothing when there is no such window.
std::optional<ListedWindow> DescribeWindow(std::uintptr_t window);

// The menu's items with their submenus, `depth` levels down. Nothing when the system will not
// tell how many items it has (Wine, for a menu of another process). An item opening a submenu
// that has no items carries no command, and is left out.
std::optional<Menu> ReadMenu(HMENU menu, int depth = 0);

// The menus among the resources of a program file, in the order the file lists them; none when
// the file cannot be opened.
std::vector<Menu> ReadProgramMenus(const std::wstring& path);

}  // namespace sendlark::win32
