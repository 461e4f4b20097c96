// Sendlark's entry point: create the window, run start-up, then react to the user. The one
// place that knows both the program and the Windows layer.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/frm_drag.h"
#include "platform/win32/main_window.h"
#include "platform/win32/win32_platform.h"
#include "state/program_state.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // The folder it runs from may be Downloads: DLLs loaded later on its behalf (themes, input
  // methods, OLE, message boxes) come from the system's folder only, never from beside it.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // OLE drag and drop needs a single-threaded apartment on the window's thread.
  if (FAILED(::OleInitialize(nullptr))) return 1;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);

  sendlark::FrmDragEvents events;
  sendlark::win32::MainWindow window(instance, sendlark::DescribeStrip(), events);
  sendlark::win32::Win32Platform platform(window.Handle(), window.Title());
  sendlark::ResetProgram(&platform);

  events.Load();
  const int exitCode = window.RunMessageLoop();

  sendlark::ResetProgram(nullptr);
  ::OleUninitialize();
  return exitCode;
}
