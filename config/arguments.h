// Where a program's own arguments begin in the command line it was started with.
#pragma once

#include <string>

namespace sendlark {

// The text of a command line that follows the program's own name and the blanks after it,
// as a Windows program reads it.
std::wstring ArgumentText(const std::wstring& commandLine);

}  // namespace sendlark
