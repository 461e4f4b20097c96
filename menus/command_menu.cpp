#include "menus/command_menu.h"

#include <vector>

#include "config/fields.h"
#include "config/file_io.h"
#include "config/settings.h"
#include "config/text_util.h"
#include "delivery/send_command.h"
#include "menus/history.h"
#include "menus/menu_state.h"
#include "platform/platform.h"

namespace sendlark {

std::wstring g_commandText;

void LoadCommandMenu() {
  g_commandText.clear();
  std::vector<MenuItem>& entries = g_menus.mnu_sub_command;
  entries[0] = {L"-", false};
  FileIO(Read, g_commandText, g_settings[CommandFileName]);

  // One pass over the file, however long: asking for each line by number would rescan it.
  const std::vector<std::wstring> lines =
      LeadingFields(g_commandText, std::wstring(kCrLf), kMaxCommandEntries, SystemFold);
  entries.resize(lines.size() + 1);
  for (std::size_t k = 1; k <= lines.size(); ++k)
    entries[k] = {lines[k - 1], true};
}

void mnu_sub_command_Click(int index) {
  const std::vector<MenuItem>& entries = g_menus.mnu_sub_command;
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return;
  SendCommand(entries[index].caption, g_settings[ApplicationClass], g_settings[ApplicationName],
              L"", std::wstring(kCrLf));
}

void sub_mnu_refresh_Click() {
  LoadCommandMenu();
  UpdateHistory(Refresh, L"");
}

}  // namespace sendlark
