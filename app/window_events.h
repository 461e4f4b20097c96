// How the window reacts once it is shown: dragging, the toolbar, dropped files, the menu.
#pragma once

#include <string>
#include <vector>

namespace sendlark {

// Mouse-button codes as the window reports them.
enum MouseButton : short { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// A drop on the toolbar. Only the file list is used; the rest is kept as the drop gave it.
struct DropEvent {
  std::vector<std::wstring> files;  // full paths, in the drop's order; empty without files
  long effect = 0;
  short button = 0;
  short shift = 0;
  float x = 0;
  float y = 0;
};

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

// The command line that starts `path`: quoted when the whole text names an existing file, so
// that a path with blanks cannot be taken for a shorter program name followed by arguments.
std::wstring LaunchCommandLine(const std::wstring& path);

void mnu_sub_end_Click();

// Carries out a command of the toolbar, the popup menu or a keyboard shortcut.
void OnCommand(int id);

inline constexpr int kEndExitCode = 0;

}  // namespace sendlark
