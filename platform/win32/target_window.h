// Finding, activating and commanding the target application's window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace sendlark::win32 {

// The top-level window with exactly this class and title, both compared in the ANSI code
// page as FindWindowA does; empty texts are searched for as empty texts, never as wildcards.
HWND FindTargetWindow(const std::wstring& className, const std::wstring& windowName);

// Brings forward the visible top-level window titled `title` (letter case ignored), or else
// one whose title begins with it. False when there is none.
bool ActivateByTitle(const std::wstring& title);

// Sends WM_COMMAND `id` and waits until the target has handled it, for five seconds at most.
// An error only when the window no longer exists.
ErrorText SendCommandId(HWND target, std::int32_t id);

}  // namespace sendlark::win32
