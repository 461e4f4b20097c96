// What the system tells about another program's window, as plain data: the program decides from
// it whether and how Sendlark can feed the window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/menu_model.h"

namespace sendlark {

struct WindowFacts {
  std::uintptr_t window = 0;  // the window's handle
  std::wstring title;
  std::wstring className;
  std::wstring program;  // the full path of its program file; empty when the system refused it
  // Empty when it has none; nothing when it has one that cannot be read (Wine, for another
  // process's window).
  std::optional<Menu> menuBar;
  Menu systemMenu;
  // The menus among the resources of its program file, in the file's order; read only when the
  // menu bar is missing, empty or unreadable.
  std::vector<Menu> programMenus;
};

}  // namespace sendlark
