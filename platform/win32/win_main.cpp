// Sendlark's entry point: create the window, run start-up, then react to the user.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/form_load.h"
#include "platform/win32/main_window.h"
#include "platform/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // OLE drag and drop needs a single-threaded apartment on the window's thread.
  if (FAILED(::OleInitialize(nullptr))) return 1;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);

  sendlark::win32::MainWindow window(instance);
  sendlark::win32::Win32Platform platform(window);
  sendlark::UsePlatform(&platform);

  sendlark::Form_Load();
  const int exitCode = window.RunMessageLoop();

  sendlark::UsePlatform(nullptr);
  ::OleUninitialize();
  return exitCode;
}
