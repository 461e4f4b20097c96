// What the program's window reports. The window only tells what happened; the program, which
// implements this interface, decides what it means.
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
  short shift = 0;  // 1 Shift, 2 Ctrl, 4 Alt
  float x = 0;      // twips from the window's top left corner
  float y = 0;
};

class WindowEvents {
 public:
  // A toolbar button, a popup menu entry or a keyboard shortcut, by its command id.
  virtual void Command(int id) = 0;
  virtual void FilesDropped(DropEvent& drop) = 0;
  // A press on the window's own surface, the grips; x and y in twips.
  virtual void MouseDown(short button, short shift, float x, float y) = 0;
  // The hot key, pressed wherever the focus is.
  virtual void HotKeyPressed() = 0;

 protected:
  ~WindowEvents() = default;
};

}  // namespace sendlark
