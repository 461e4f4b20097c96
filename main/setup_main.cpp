// SendlarkSetup's entry point: the window for finding and saving a target, or, with arguments,
// /list and /save for scripts without it. The one place that knows both the program and the
// Windows layer.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/setup/language.h"
#include "platform/win32/setup/script_output.h"
#include "platform/win32/setup/setup_window.h"
#include "platform/win32/setup/target_windows.h"
#include "platform/win32/win32_platform.h"
#include "setup/setup_command_line.h"
#include "setup/setup_script.h"
#include "setup/target_row.h"
#include "setup/window_chooser.h"
#include "state/program_state.h"

namespace setup = sendlark::setup;
namespace win32 = sendlark::win32;

namespace {

setup::ScriptOutcome RunScript(const setup::SetupCommand& command, const setup::SetupTexts& texts) {
  switch (command.action) {
    case setup::SetupAction::kList:
      return setup::WriteWindowList(command.listFile,
                                    setup::TargetRowsOf(win32::ListTargetWindows()), texts);
    case setup::SetupAction::kSave: {
      const std::optional<sendlark::WindowFacts> window =
          win32::DescribeWindow(win32::ToHwnd(command.window));
      return setup::SaveWindow(
          command, window ? std::optional(setup::TargetRowOf(*window)) : std::nullopt, texts);
    }
    default:
      return setup::Usage(command, texts);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // As for Sendlark.exe: DLLs loaded later on its behalf come from the system's folder only.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  const setup::SetupTexts& texts = setup::TextsFor(win32::UserInterfaceLanguage());
  const setup::SetupCommand command = setup::ParseSetupCommand(::GetCommandLineW());

  if (command.action != setup::SetupAction::kWindow) {
    win32::Win32Platform platform(nullptr, texts.title);
    sendlark::ResetProgram(&platform);
    const setup::ScriptOutcome outcome = RunScript(command, texts);
    if (!outcome.message.empty()) win32::ReportToUser(outcome.message, texts.title);
    sendlark::ResetProgram(nullptr);
    return outcome.exitCode;
  }

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  setup::WindowChooser chooser(texts, win32::ListTargetWindows);
  win32::SetupWindow window(instance, setup::WindowTexts(texts), chooser);
  win32::Win32Platform platform(window.Handle(), texts.title);
  sendlark::ResetProgram(&platform);

  window.Show(showCommand);
  window.Refresh();
  const int exitCode = window.RunMessageLoop();

  sendlark::ResetProgram(nullptr);
  return exitCode;
}
