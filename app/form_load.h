// Start-up: everything that happens between creating the window and showing it.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace sendlark {

// Loads the configuration, delivers the command-line items and builds the menus, then shows
// the window topmost. A second copy delivers its items and ends without showing its window.
void Form_Load();

// The items of the program's command line, cut only at CR LF, up to the first empty one.
// False, with `items` untouched, when the program was started without arguments.
bool GetCommandArgs(std::vector<std::wstring>& items);

// The text of a command line that follows the program's own name and the blanks after it,
// as a Windows program reads it.
std::wstring ArgumentText(const std::wstring& commandLine);

// Flag 1 puts the window above all ordinary windows, 0 back among them; others do nothing.
void SetTopMost(WindowRef window, short flag);

inline constexpr int kSecondCopyExitCode = 0;

}  // namespace sendlark
