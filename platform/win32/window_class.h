// The window class of a program's main window, with the program's icon.
#pragma once

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace sendlark::win32 {

// The icons a registered class shows; they must live as long as windows of the class.
struct ClassIcons {
  UniqueIcon large;
  UniqueIcon small;
};

// Registers `className` with the program's icon, the arrow cursor and the dialog colour.
ClassIcons RegisterMainWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC proc);

}  // namespace sendlark::win32
