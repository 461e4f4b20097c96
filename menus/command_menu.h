// The command menu: one entry per line of the command file, up to its first empty line.
#pragma once

#include <string>

namespace sendlark {

extern std::wstring g_commandText;

// Rebuilds the command entries from the command file. Existing entries are reused in place;
// entries are added or removed only at the end.
void LoadCommandMenu();

// Delivers the chosen entry's line followed by a line break, without the configured header
// and footer.
void mnu_sub_command_Click(int index);

// Rebuilds the command menu and the history menu from their files.
void sub_mnu_refresh_Click();

}  // namespace sendlark
