// What the program tells the window about itself when the window is created: its names, its
// toolbar buttons and its keyboard shortcuts, all as plain data.
#pragma once

#include <string>
#include <vector>

namespace sendlark {

// The strip's window class, by which every copy's strip is known: none is ever a target.
inline constexpr wchar_t kStripClassName[] = L"SendlarkStrip";

struct StripButton {
  int command;  // reported through WindowEvents::Command when pressed
  std::wstring toolTip;
  int image;  // 0-based position in the toolbar's image strip
};

// Ctrl + key carries out the command while the window is active, whether or not a menu is open.
struct StripShortcut {
  wchar_t key;  // an upper-case letter
  int command;
};

struct StripDescription {
  std::wstring title;  // also the title of every message box
  std::wstring className;
  std::vector<StripButton> buttons;  // from the left
  std::vector<StripShortcut> shortcuts;
};

}  // namespace sendlark
