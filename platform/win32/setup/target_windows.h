// The windows that could be Sendlark's target, described for the setup program.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "setup/target_row.h"

namespace sendlark::win32 {

// The visible top-level windows of other processes, in the system's order (front to back).
std::vector<setup::TargetRow> ListTargetWindows();

// One window, whoever owns it; nothing when there is no such window.
std::optional<setup::TargetRow> DescribeWindow(HWND window);

}  // namespace sendlark::win32
