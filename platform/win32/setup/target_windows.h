// The windows that could be Sendlark's target, described as the system tells of them.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/window_facts.h"

namespace sendlark::win32 {

// The visible top-level windows of other processes, in the system's order (front to back).
std::vector<WindowFacts> ListTargetWindows();

// One window, whoever owns it; nothing when there is no such window.
std::optional<WindowFacts> DescribeWindow(HWND window);

}  // namespace sendlark::win32
