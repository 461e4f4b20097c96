// The resolution a window is shown at.
#pragma once

#include <windows.h>

namespace sendlark::win32 {

// The DPI of the monitor the window is on (per-monitor aware), or of the system on Windows
// versions that predate per-monitor DPI.
int WindowDpi(HWND window);

}  // namespace sendlark::win32
