// The command menu: one entry per line of the command file, up to its first empty line.
#pragma once

namespace sendlark {

// Rebuilds the command entries from the command file. Existing entries are reused in place;
// entries are added or removed only at the end.
void LoadCommandMenu();

}  // namespace sendlark
