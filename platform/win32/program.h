// The running program: its folder, other copies of it, and starting other programs.
#pragma once

#include <string>

#include "platform/platform.h"

namespace sendlark::win32 {

// The folder of the running executable, without a final backslash unless it is a drive's root.
std::wstring ProgramFolder();

// True when a copy of this program from the same folder is already running. The first call
// claims the folder for this process until it ends; two installations in different folders,
// serving two different targets, run side by side.
bool AnotherCopyRunning();

// Starts a program from a command line in a normal window that gets the focus.
ErrorText StartProgram(const std::wstring& commandLine);

}  // namespace sendlark::win32
