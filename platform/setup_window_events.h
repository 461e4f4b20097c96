// What SendlarkSetup's window asks of the program and reports to it. The window only shows and
// tells; the program, which implements this interface, finds the windows to list and decides
// what the buttons do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/setup_window_data.h"

namespace sendlark {

class SetupWindowEvents {
 public:
  // The windows to list, in the order they are shown in until the user sorts them.
  virtual std::vector<ListedWindow> ListWindows() = 0;
  // The user wants the chosen window saved as Sendlark's target, or wants to try it out, with
  // the paste command as typed. `window` is 0 when none is chosen. Each returns what the status
  // line is to say.
  virtual std::wstring Save(std::uintptr_t window, const std::wstring& pasteText) = 0;
  virtual std::wstring SendTestText(std::uintptr_t window, const std::wstring& pasteText) = 0;

 protected:
  ~SetupWindowEvents() = default;
};

}  // namespace sendlark
