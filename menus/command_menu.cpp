#include "menus/command_menu.h"

#include <vector>

#include "config/fields.h"
#include "config/file_io.h"
#include "config/text_util.h"
#include "state/program_state.h"

namespace sendlark {

void LoadCommandMenu() {
  g_commandText.clear();
  mnu_sub_command[0] = {L"-", false};
  FileIO(Read, g_commandText, g_settings[CommandFileName]);

  // One pass over the file, however long: asking for each line by number would rescan it.
  const std::vector<std::wstring> lines =
      LeadingFields(g_commandText, std::wstring(kCrLf), kMaxCommandEntries, SystemFold);
  mnu_sub_command.resize(lines.size() + 1);
  for (std::size_t k = 1; k <= lines.size(); ++k)
    mnu_sub_command[k] = {lines[k - 1], true};
}

}  // namespace sendlark
