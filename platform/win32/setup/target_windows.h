// The windows that could be Sendlark's target, described as the system tells of them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/listed_window.h"

namespace sendlark::win32 {

// The visible top-level windows of other processes, in the system's order (front to back).
std::vector<ListedWindow> ListTargetWindows();

// One window, whoever owns it; nothing when there is no such window.
std::optional<ListedWindow> DescribeWindow(std::uintptr_t window);

}  // namespace sendlark::win32
