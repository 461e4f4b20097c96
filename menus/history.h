// The history: the last ten deliveries, newest first, kept in the log file and shown in the
// history submenu.
#pragma once

#include <string>

namespace sendlark {

enum HistoryMode : int {
  Add = 1,      // the text becomes the first entry, in front of those read
  Refresh = 2,  // show and rewrite the entries read; any mode other than Add acts so
};

// Re-reads the log file, puts `text` first in add mode, shows the entries in the history menu
// and writes them back to the log file.
void UpdateHistory(int mode, const std::wstring& text);

}  // namespace sendlark
