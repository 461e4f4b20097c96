// The program's window, frmDrag, as the program sees it: its commands, its toolbar buttons and
// shortcuts, and every handler of its events. The window itself only reports what happened.
#pragma once

#include <array>
#include <string>

#include "app/texts.h"
#include "platform/platform.h"
#include "platform/strip.h"
#include "platform/window_events.h"

namespace sendlark {

// Command identifiers shared by the toolbar, the popup menu and the keyboard shortcuts. The
// two menu arrays map to ranges: base + element index.
enum CommandId : int {
  kIdNone = 0,
  kIdToolbarButtonBase = 100,  // + Index 1 to 3
  kIdRefresh = 200,
  kIdReplay = 201,
  kIdEnd = 202,
  kIdHistoryBase = 300,   // + element 0 to 10 of mnu_sub_sub_log
  kIdCommandBase = 1000,  // + element 0 to 32767 of mnu_sub_command
};

// The toolbar's buttons from the left; `index` is the 1-based position.
struct ToolbarButton {
  int index;
  const wchar_t* key;  // empty for the menu button
  const wchar_t* toolTip;
  int image;  // 0-based position in the image strip
};
inline constexpr std::array<ToolbarButton, 3> kToolbarButtons = {{
    {1, L"AppExac", kToolTipLaunch, 0},
    {2, L"Replay", kToolTipReplay, 1},
    {3, L"", kToolTipMenu, 2},
}};

// The popup menu's fixed commands and the letter that, with Ctrl, carries each out.
struct MenuCommand {
  int id;
  const wchar_t* caption;
  wchar_t shortcut;
};
inline constexpr std::array<MenuCommand, 3> kMenuCommands = {{
    {kIdRefresh, kMenuRefreshCaption, L'R'},
    {kIdReplay, kMenuReplayCaption, L'Z'},
    {kIdEnd, kMenuEndCaption, L'Q'},
}};

// What the window is told about itself when it is created.
StripDescription DescribeStrip();

// Start-up: loads the configuration, delivers the command-line items and builds the menus,
// shows the window topmost, then registers the hot key. A second copy delivers its items and
// ends without showing its window or taking the hot key.
void Form_Load();

// A press on the window's own surface, the grips: the left button starts a window drag.
void Form_MouseDown(short button, short shift, float x, float y);

// Index 1 starts the target application, 2 resends the last delivery, 3 pops up the menu.
void Toolbar_ButtonClick(int index);

void Toolbar_OLEDragDrop(DropEvent& drop);

// One delivery per dropped file, in the drop's order, framed by the configured header and
// footer.
void SendDroppedFiles(DropEvent& drop);

// Starts the program the path text names; it may carry arguments after the program's path.
void LaunchApplication(const std::wstring& path);

// How `path` is started. When the whole text names an existing file (a relative one taken in the
// program's folder), that file is the application and is quoted in the command line, so that a
// path with blanks cannot be taken for a shorter program name followed by arguments. Otherwise
// the text is a command line for the system to take apart.
ProgramStart LaunchStart(const std::wstring& path);

// The hot key pops up the menu at the pointer, with the keyboard in it. A choice is carried out
// as a click on it would be; dismissed, the menu gives the focus back to the window it took it
// from.
void Form_HotKey();

// Flag 1 puts the window above all ordinary windows, 0 back among them; others do nothing.
void SetTopMost(WindowRef window, short flag);

// Rebuilds the command menu and the history menu from their files.
void sub_mnu_refresh_Click();

// Delivers the last delivery of this run again.
void mnu_sub_replay_Click();

// Delivers the chosen history entry again; it already holds its header and footer.
void mnu_sub_sub_log_Click(int index);

// Delivers the chosen command entry's line followed by a line break, without the configured
// header and footer.
void mnu_sub_command_Click(int index);

void mnu_sub_end_Click();

// Carries out a command of the toolbar, the popup menu or a keyboard shortcut.
void OnCommand(int id);

// The window's reports, handed to the handlers above one at a time (see HandleEvent).
class FrmDragEvents final : public WindowEvents {
 public:
  // Start-up, the window's first event.
  void Load();
  void Command(int id) override;
  void FilesDropped(DropEvent& drop) override;
  // A press that comes while another event is carried out is not kept: the button it would
  // drag by is long released when its turn came.
  void MouseDown(short button, short shift, float x, float y) override;
  void HotKeyPressed() override;
};

inline constexpr int kSecondCopyExitCode = 0;
inline constexpr int kEndExitCode = 0;

}  // namespace sendlark
