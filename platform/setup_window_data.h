// What the program tells SendlarkSetup's window, as plain data: its own texts when it is
// created, and each window it lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace sendlark {

// Captions carry the "&" of their access key.
struct SetupWindowTexts {
  std::wstring title;
  std::wstring columnTitle;
  std::wstring columnClass;
  std::wstring columnProgram;
  std::wstring columnPaste;
  std::wstring columnWindow;
  std::wstring pasteLabel;
  std::wstring refresh;
  std::wstring send;
  std::wstring save;
  // The status line once `count` windows are listed.
  std::function<std::wstring(std::size_t count)> listed;
};

// One window of the list, with the texts of its cells.
struct ListedWindow {
  // Its handle: reported back when the user acts on it, and the window column's order.
  std::uintptr_t window = 0;
  std::wstring title;
  std::wstring className;
  std::wstring program;
  std::wstring paste;   // the paste column
  std::wstring handle;  // the window column
  // Its paste command's identifier, if it has one: what the paste box holds once the window is
  // chosen, and the paste column's order, with the windows without one after the others.
  std::optional<std::uint32_t> pasteId;
  std::wstring status;  // the status line once it is chosen
};

}  // namespace sendlark
