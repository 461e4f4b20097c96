// Command identifiers shared by the toolbar, the popup menu and the keyboard accelerators.
// The two menu arrays map to ranges: base + element index.
#pragma once

namespace sendlark {

enum CommandId : int {
  kIdNone = 0,
  kIdToolbarButtonBase = 100,  // + Index 1 to 3
  kIdRefresh = 200,
  kIdReplay = 201,
  kIdEnd = 202,
  kIdHistoryBase = 300,   // + element 0 to 10 of mnu_sub_sub_log
  kIdCommandBase = 1000,  // + element 0 to 32767 of mnu_sub_command
};

}  // namespace sendlark
