#include "app/window_events.h"

#include "app/command_ids.h"
#include "app/popup_menu.h"
#include "config/settings.h"
#include "delivery/send_command.h"
#include "menus/command_menu.h"
#include "menus/history.h"
#include "menus/menu_state.h"
#include "platform/platform.h"

namespace sendlark {

namespace {

void PopupMainMenu() {
  const int chosen = Sys().PopupMenu(BuildPopupMenu(g_menus));
  if (chosen != kIdNone) OnCommand(chosen);
}

}  // namespace

void Form_MouseDown(short button, short /*shift*/, float /*x*/, float /*y*/) {
  if ((button & kLeftButton) == 0) return;
  Sys().BeginWindowDrag(Sys().MainWindow());
}

void Toolbar_ButtonClick(int index) {
  switch (index) {
    case 1:
      LaunchApplication(g_settings[ApplicationPath]);
      return;
    case 2:
      mnu_sub_replay_Click();
      return;
    case 3:
      PopupMainMenu();
      return;
    default:
      return;
  }
}

void Toolbar_OLEDragDrop(DropEvent& drop) {
  SendDroppedFiles(drop);
}

void SendDroppedFiles(DropEvent& drop) {
  for (const std::wstring& file : drop.files) {
    SendCommand(file, g_settings[ApplicationClass], g_settings[ApplicationName],
                g_settings[CommandHeader], g_settings[CommandFooter]);
  }
}

std::wstring LaunchCommandLine(const std::wstring& path) {
  if (path.empty() || path.front() == L'"' || !Sys().IsExistingFile(path)) return path;
  return L'"' + path + L'"';
}

void LaunchApplication(const std::wstring& path) {
  if (const ErrorText error = Sys().StartProgram(LaunchCommandLine(path))) {
    Sys().ShowMessage(*error);
  }
}

void mnu_sub_end_Click() {
  EndProgram(kEndExitCode);
}

void OnCommand(int id) {
  if (id > kIdToolbarButtonBase && id <= kIdToolbarButtonBase + 3) {
    Toolbar_ButtonClick(id - kIdToolbarButtonBase);
  } else if (id == kIdRefresh) {
    sub_mnu_refresh_Click();
  } else if (id == kIdReplay) {
    mnu_sub_replay_Click();
  } else if (id == kIdEnd) {
    mnu_sub_end_Click();
  } else if (id >= kIdHistoryBase && id <= kIdHistoryBase + kHistorySize) {
    mnu_sub_sub_log_Click(id - kIdHistoryBase);
  } else if (id >= kIdCommandBase && id <= kIdCommandBase + kMaxCommandEntries) {
    mnu_sub_command_Click(id - kIdCommandBase);
  }
}

}  // namespace sendlark
