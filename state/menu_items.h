// The captions and visibility of the menu items that change while the program runs. The
// popup menu is built from them each time it opens.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace sendlark {

struct MenuItem {
  std::wstring caption;
  bool visible = true;
};

inline constexpr int kHistorySize = 10;
// Menu array indices are 16-bit, so the command menu cannot hold more entries than this.
inline constexpr int kMaxCommandEntries = 32767;

// Element 0 is the separator under the history heading; 1 to 10 are the history entries.
using HistoryItems = std::array<MenuItem, kHistorySize + 1>;

struct MenuState {
  HistoryItems mnu_sub_sub_log;
  // Element 0 is the hidden anchor; the command entries follow from 1 on.
  std::vector<MenuItem> mnu_sub_command;
};

// The items as the window is created: separators visible, history entries hidden and empty,
// only the anchor of the command entries.
MenuState InitialMenus();

}  // namespace sendlark
