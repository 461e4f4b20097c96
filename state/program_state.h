// Everything the program keeps while it runs, in one object: the platform it runs on, the
// settings table, the texts of its three files and the menu items. The entry point resets it
// once with the real platform; tests, benchmarks and fuzz targets reset it with a fake.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "state/menu_items.h"
#include "state/options.h"
#include "state/settings.h"

namespace sendlark {

// The deliveries of one action of the user: a drop, the command line's items, a menu choice.
struct DeliveryRun {
  bool active = false;
  bool notAnswering = false;  // its target stopped answering: the rest are only recorded
  int heldBack = 0;           // items recorded without being sent
};

struct ProgramState {
  Platform* platform = nullptr;
  SettingsTable settings{};
  Options options;           // the optional keys of "Config.ini"
  std::wstring configText;   // "Config.ini" as read at start-up
  std::wstring commandText;  // the command file as last read
  std::wstring logText;      // the log file as last read
  MenuState menus = InitialMenus();
  int deliveryTurns = 0;                  // nested DeliveryTurn objects alive
  bool holdsDeliveryLock = false;         // the lock all copies share, while in a turn
  bool staleReplacementsRemoved = false;  // of the log, which an ended copy may leave
  DeliveryRun run;
  // What the clipboard held before the run's items, while it is to be given back (kept apart from
  // the run, which an error ending the program clears first).
  std::optional<ClipboardCopy> usersClipboard;
  std::uint64_t lastReadMs = 0;  // when a program last read an item's text, on the platform's clock
  bool handlingEvent = false;    // an event of the window is being carried out
  std::deque<std::function<void()>> waitingEvents;  // arrived meanwhile, carried out next
};

extern ProgramState g_program;

// The state as the program starts, running on `platform` (null: on none).
void ResetProgram(Platform* platform);

// The program's own names for its parts of the state.
inline SettingsTable& g_settings = g_program.settings;
inline std::wstring& g_configText = g_program.configText;
inline std::wstring& g_commandText = g_program.commandText;
inline std::wstring& g_logText = g_program.logText;
inline HistoryItems& mnu_sub_sub_log = g_program.menus.mnu_sub_sub_log;
inline std::vector<MenuItem>& mnu_sub_command = g_program.menus.mnu_sub_command;

// The platform in use.
Platform& Sys();

// Letter case folded by the system's rule, for the text rules that take a CaseFold.
std::wstring SystemFold(const std::wstring& text);

// Ends the program through the platform in use, giving the user's clipboard back first if that
// is due. Never returns, whatever that platform does.
[[noreturn]] void EndProgram(int exitCode);

}  // namespace sendlark
