// One window of another program as SendlarkSetup lists it, as plain data: what the system tells
// of it, then what the program makes of it, which the setup window shows as it stands.
#pragma once

#include <cstdint>
#include <optional>
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

struct ListedWindow {
  std::uintptr_t window = 0;  // its handle
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

  // What the program makes of it.
  std::optional<std::uint32_t> paste;  // its paste command's identifier
  std::wstring pasteCell;              // the paste column: the identifier and where it was found
  std::wstring handle;                 // the window column
  std::wstring status;                 // the status line once it is chosen
};

}  // namespace sendlark
