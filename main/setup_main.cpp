// SendlarkSetup's entry point: the window for finding and saving a target, or, with arguments,
// /list and /save for scripts without it. The one place that knows both the program and the
// Windows layer.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>

#include "platform/win32/setup/script_output.h"
#include "platform/win32/setup/setup_window.h"
#include "platform/win32/setup/target_windows.h"
#include "platform/win32/win32_platform.h"
#include "platform/setup_texts.h"
#include "setup/setup_program.h"
#include "state/program_state.h"

namespace win32 = sendlark::win32;

namespace {

// The arguments after the program's name, split as the system splits a command line.
std::vector<std::wstring> Arguments() {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> arguments(
      ::CommandLineToArgvW(::GetCommandLineW(), &count), ::LocalFree);
  if (!arguments || count < 2) return {};
  return {arguments.get() + 1, arguments.get() + count};
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // As for Sendlark.exe: DLLs loaded later on its behalf come from the system's folder only.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  const std::wstring title = win32::LoadText(IDS_TITLE);
  sendlark::setup::SetupProgram program(win32::LoadText, win32::ListTargetWindows,
                                        win32::DescribeWindow);

  if (const std::vector<std::wstring> arguments = Arguments(); !arguments.empty()) {
    win32::Win32Platform platform(nullptr, title);
    sendlark::ResetProgram(&platform);
    std::wstring message;
    const int exitCode = program.RunScript(arguments, message);
    if (!message.empty()) win32::ReportToUser(message, title);
    sendlark::ResetProgram(nullptr);
    return exitCode;
  }

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  win32::SetupWindow window(instance, program);
  win32::Win32Platform platform(window.Handle(), title);
  sendlark::ResetProgram(&platform);

  window.Show(showCommand);
  const int exitCode = window.RunMessageLoop();

  sendlark::ResetProgram(nullptr);
  return exitCode;
}
