// What passes between SendlarkSetup's window and its program, as plain data: the windows of
// other programs it lists, and what it asks and reports. The window only shows and
// tells; the program, which implements SetupWindowEvents, finds the windows to list and decides
// what the buttons do.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace sendlark {

// One item of a menu, as the system reports it.
struct MenuNode {
  std::wstring caption;  // with its "&" marks and its accelerator text after a tab
  std::uint32_t id = 0;  // the command identifier the item sends in WM_COMMAND
  bool separator = false;
  std::vector<MenuNode> items;  // not empty: the item opens a submenu
};

using Menu = std::vector<MenuNode>;

// One window of another program: what the system tells of it, then what the program makes of
// it, which the window shows as it stands.
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

  std::optional<std::uint32_t> paste;  // its paste command's identifier
  std::wstring pasteCell;              // the paste column: the identifier and where it was found
  std::wstring handle;                 // the window column
  std::wstring status;                 // the status line once it is chosen
};

// What the user chose and typed beside the list.
struct SetupChoice {
  const ListedWindow* window = nullptr;  // the row chosen; null when there is none
  std::wstring paste;                    // a paste command's number, or a route's word
  std::wstring title;                    // the title Sendlark is to look for
  TitleMatch match = TitleMatch::Exact;  // how the window's title is to compare with it
  std::wstring hotKey = {};              // the hot key box; empty leaves Config.ini's as it is
  // Whether the user's clipboard is to come back after each run; nothing leaves it as it is.
  std::optional<bool> restoreClipboard = {};
};

class SetupWindowEvents {
 public:
  // The windows to list, in the order they are shown in until the user sorts them, and in
  // `status` what the status line says of them.
  virtual std::vector<ListedWindow> ListWindows(std::wstring& status) = 0;
  // The user wants the choice saved as Sendlark's target, with its hot key, or wants to try it
  // out. Each returns what the status line is to say. Trying a window that has no paste command,
  // with none typed, looks for a route it takes and puts that into `choice.paste`.
  virtual std::wstring Save(const SetupChoice& choice) = 0;
  virtual std::wstring SendTestText(SetupChoice& choice) = 0;
  // What the status line says of the title and mode chosen: how many listed windows they
  // match, and which of them Sendlark would feed.
  virtual std::wstring DescribeMatch(const SetupChoice& choice) = 0;
  // Whether Config.ini has the clipboard given back now, which its check box shows at first.
  virtual bool RestoresClipboard() = 0;

 protected:
  ~SetupWindowEvents() = default;
};

}  // namespace sendlark
