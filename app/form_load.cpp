#include "app/form_load.h"

#include <limits>

#include "config/config_lookup.h"
#include "config/fields.h"
#include "config/file_io.h"
#include "config/settings.h"
#include "config/text_util.h"
#include "delivery/send_command.h"
#include "menus/command_menu.h"
#include "menus/history.h"

namespace sendlark {

namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

void LoadSettings() {
  FileIO(Read, g_configText, kConfigFileName);
  for (const ConfigKey& entry : kConfigKeys) {
    g_settings[entry.slot] = GetConfigValue(g_configText, entry.key, SystemFold);
  }
}

void DeliverCommandLine() {
  std::vector<std::wstring> items;
  if (!GetCommandArgs(items)) return;
  for (const std::wstring& item : items) {
    SendCommand(item, g_settings[ApplicationClass], g_settings[ApplicationName],
                g_settings[CommandHeader], g_settings[CommandFooter]);
  }
}

}  // namespace

std::wstring ArgumentText(const std::wstring& commandLine) {
  // The program's name ends at the first blank outside double quotes, as the C runtime cuts it.
  std::size_t at = 0;
  bool quoted = false;
  for (; at < commandLine.size() && (quoted || !IsBlank(commandLine[at])); ++at) {
    if (commandLine[at] == L'"') quoted = !quoted;
  }
  while (at < commandLine.size() && IsBlank(commandLine[at]))
    ++at;
  return commandLine.substr(at);
}

bool GetCommandArgs(std::vector<std::wstring>& items) {
  const std::wstring arguments = ArgumentText(Sys().CommandLine());
  if (arguments.empty()) return false;
  std::vector<std::wstring> fields =
      LeadingFields(arguments, std::wstring(kCrLf),
                    static_cast<std::size_t>(std::numeric_limits<int>::max()), SystemFold);
  items.insert(items.end(), fields.begin(), fields.end());
  return true;
}

void SetTopMost(WindowRef window, short flag) {
  if (flag == 1) Sys().SetTopMost(window, true);
  if (flag == 0) Sys().SetTopMost(window, false);
}

void Form_Load() {
  Sys().HideMainWindow();
  LoadSettings();
  if (Sys().AnotherCopyRunning()) {
    DeliverCommandLine();
    EndProgram(kSecondCopyExitCode);
  }
  DeliverCommandLine();
  LoadCommandMenu();
  UpdateHistory(Refresh, L"");
  Sys().ShowMainWindow();
  SetTopMost(Sys().MainWindow(), 1);
}

}  // namespace sendlark
