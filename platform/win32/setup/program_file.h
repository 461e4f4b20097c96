// The program file behind a window.
#pragma once

#include <windows.h>

#include <string>

namespace sendlark::win32 {

// The full path of the executable of the process that owns `window`; empty when the system
// does not tell (a process running with higher rights, one that has ended).
std::wstring ProgramFileOf(HWND window);

}  // namespace sendlark::win32
