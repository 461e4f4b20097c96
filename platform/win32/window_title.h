// The title of any window, this program's or another's.
#pragma once

#include <windows.h>

#include <string>

namespace sendlark::win32 {

// The window's whole title. For another process's window this reads the title the system
// keeps, without a message to that process, so a hung program cannot stall the caller.
inline std::wstring TitleOf(HWND window) {
  std::wstring title(256, L'\0');
  for (;;) {
    const int length = ::GetWindowTextW(window, title.data(), static_cast<int>(title.size()));
    // A title that fills the buffer may have been cut.
    if (length < static_cast<int>(title.size()) - 1) {
      title.resize(static_cast<std::size_t>(length > 0 ? length : 0));
      return title;
    }
    title.assign(title.size() * 2, L'\0');
  }
}

}  // namespace sendlark::win32
