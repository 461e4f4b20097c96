// The system's own description of an error code.
#pragma once

#include <windows.h>

#include <string>

namespace sendlark::win32 {

// The description of `error` in the user's language, without a trailing line break.
std::wstring ErrorDescription(DWORD error);

// The description of the calling thread's last error.
std::wstring LastErrorText();

}  // namespace sendlark::win32
