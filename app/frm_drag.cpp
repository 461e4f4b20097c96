#include "app/frm_drag.h"

#include "app/command_line.h"
#include "app/event_dispatch.h"
#include "app/popup_menu.h"
#include "config/config_lookup.h"
#include "config/file_io.h"
#include "config/options.h"
#include "config/hot_key.h"
#include "config/text_util.h"
#include "delivery/send_command.h"
#include "menus/command_menu.h"
#include "menus/history.h"
#include "state/delivery_turn.h"
#include "state/program_state.h"

namespace sendlark {

namespace {

// Fills the configured slots; returns :HotKey as written, which the table has no slot for.
std::wstring LoadSettings() {
  FileIO(Read, g_configText, kConfigFileName);
  for (const ConfigKey& entry : kConfigKeys) {
    g_settings[entry.slot] = GetConfigValue(g_configText, entry.key, SystemFold);
  }
  g_program.options = ReadOptions(g_configText, SystemFold);
  return GetConfigValue(g_configText, kHotKeyKey, SystemFold);
}

// A combination that cannot be had is told once, and the program runs on without it.
void RegisterHotKey(const std::wstring& text) {
  const HotKeySetting setting = ParseHotKey(text);
  ErrorText reason;
  if (const HotKeyFault* fault = std::get_if<HotKeyFault>(&setting)) {
    reason = kHotKeyFaultTexts[static_cast<int>(*fault)];
  } else if (const HotKey* hotKey = std::get_if<HotKey>(&setting)) {
    reason = Sys().RegisterHotKey(*hotKey);
  }
  if (reason) {
    ShowMessage(kHotKeyFailedText + CutToShow(text, kMaxShownValue) + std::wstring(kCrLf) +
                *reason);
  }
}

void SendItems(const std::vector<std::wstring>& items) {
  DeliverAsOneRun([&] {
    for (const std::wstring& item : items) {
      SendCommand(item, g_settings[ApplicationClass], g_settings[ApplicationName],
                  g_settings[CommandHeader], g_settings[CommandFooter]);
    }
  });
}

void DeliverCommandLine() {
  std::vector<std::wstring> items;
  if (!GetCommandArgs(items)) return;
  // A log that cannot be read would end the program after the first item was pasted, and
  // before it and the others were recorded.
  std::wstring log;
  ReadTextFile(log, g_settings[LogFileName]);
  SendItems(items);
}

// Another program may send any command, but only what the menu offers is carried out: a hidden
// entry keeps a stale caption, or none.
bool IsOffered(const MenuItem& item) {
  return item.visible && item.caption != L"-";
}

// True when an entry was chosen, and carried out.
bool PopupMainMenu() {
  const int chosen = Sys().PopupMenu(BuildPopupMenu(g_program.menus));
  if (chosen != kIdNone) OnCommand(chosen);
  return chosen != kIdNone;
}

}  // namespace

StripDescription DescribeStrip() {
  StripDescription strip{kProgramTitle, kStripClassName, {}, {}};
  for (const ToolbarButton& button : kToolbarButtons) {
    strip.buttons.push_back({kIdToolbarButtonBase + button.index, button.toolTip, button.image});
  }
  for (const MenuCommand& command : kMenuCommands) {
    strip.shortcuts.push_back({command.shortcut, command.id});
  }
  return strip;
}

void Form_Load() {
  Sys().HideMainWindow();
  const std::wstring hotKey = LoadSettings();
  CheckLogFileIsSeparate();
  if (Sys().AnotherCopyRunning()) {
    DeliverCommandLine();
    EndProgram(kSecondCopyExitCode);
  }
  DeliverCommandLine();
  LoadCommandMenu();
  UpdateHistory(Refresh, L"");
  Sys().ShowMainWindow();
  SetTopMost(Sys().MainWindow(), 1);
  RegisterHotKey(hotKey);
}

void Form_MouseDown(short button, short /*shift*/, float /*x*/, float /*y*/) {
  if ((button & kLeftButton) == 0) return;
  Sys().BeginWindowDrag(Sys().MainWindow());
}

void Toolbar_ButtonClick(int index) {
  if (index == 1) LaunchApplication(g_settings[ApplicationPath]);
  if (index == 2) mnu_sub_replay_Click();
  if (index == 3) PopupMainMenu();
}

void Toolbar_OLEDragDrop(DropEvent& drop) {
  SendDroppedFiles(drop);
}

void SendDroppedFiles(DropEvent& drop) {
  SendItems(drop.files);
}

ProgramStart LaunchStart(const std::wstring& path) {
  if (path.empty() || path.front() == L'"') return {L"", path};
  // The system looks for a program named without a folder in Sendlark's folder first, so a
  // relative path is taken there, and passed whole: a relative application name would be taken
  // against the current folder.
  const bool relative = path.front() != L'\\' && path.front() != L'/' && path.find(L':') != 1;
  const std::wstring file = relative ? ProgramFilePath(path) : path;
  if (!Sys().IsExistingFile(file)) return {L"", path};
  return {file, L'"' + file + L'"'};
}

void LaunchApplication(const std::wstring& path) {
  if (const ErrorText error = Sys().StartProgram(LaunchStart(path))) ShowMessage(*error);
}

void Form_HotKey() {
  const WindowRef before = Sys().ForegroundWindow();
  if (!PopupMainMenu() && before != 0) Sys().ActivateWindow(before);
}

void SetTopMost(WindowRef window, short flag) {
  if (flag == 0 || flag == 1) Sys().SetAlwaysOnTop(window, flag == 1);
}

void sub_mnu_refresh_Click() {
  LoadCommandMenu();
  UpdateHistory(Refresh, L"");
}

void mnu_sub_replay_Click() {
  SendCommand(g_settings[LastText], g_settings[ApplicationClass], g_settings[ApplicationName],
              g_settings[LastHeader], g_settings[LastFooter]);
}

void mnu_sub_sub_log_Click(int index) {
  if (index < 0 || index > kHistorySize) return;
  SendCommand(mnu_sub_sub_log[index].caption, g_settings[ApplicationClass],
              g_settings[ApplicationName], L"", L"");
}

void mnu_sub_command_Click(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= mnu_sub_command.size()) return;
  SendCommand(mnu_sub_command[index].caption, g_settings[ApplicationClass],
              g_settings[ApplicationName], L"", std::wstring(kCrLf));
}

void mnu_sub_end_Click() {
  EndProgram(kEndExitCode);
}

void OnCommand(int id) {
  const int buttons = static_cast<int>(kToolbarButtons.size());
  if (id > kIdToolbarButtonBase && id <= kIdToolbarButtonBase + buttons) {
    Toolbar_ButtonClick(id - kIdToolbarButtonBase);
  } else if (id == kIdRefresh) {
    sub_mnu_refresh_Click();
  } else if (id == kIdReplay) {
    mnu_sub_replay_Click();
  } else if (id == kIdEnd) {
    mnu_sub_end_Click();
  } else if (id >= kIdHistoryBase && id <= kIdHistoryBase + kHistorySize) {
    if (IsOffered(mnu_sub_sub_log[id - kIdHistoryBase])) mnu_sub_sub_log_Click(id - kIdHistoryBase);
  } else if (id >= kIdCommandBase && id <= kIdCommandBase + kMaxCommandEntries) {
    const auto index = static_cast<std::size_t>(id - kIdCommandBase);
    if (index < mnu_sub_command.size() && IsOffered(mnu_sub_command[index])) {
      mnu_sub_command_Click(id - kIdCommandBase);
    }
  }
}

void FrmDragEvents::Load() {
  HandleEvent(Form_Load);
}

void FrmDragEvents::Command(int id) {
  HandleEvent([id] { OnCommand(id); });
}

void FrmDragEvents::FilesDropped(DropEvent& drop) {
  HandleEvent([drop]() mutable { Toolbar_OLEDragDrop(drop); });
}

void FrmDragEvents::HotKeyPressed() {
  HandleEvent(Form_HotKey);
}

void FrmDragEvents::MouseDown(short button, short shift, float x, float y) {
  if (!HandlingEvent()) HandleEvent([=] { Form_MouseDown(button, shift, x, y); });
}

}  // namespace sendlark
