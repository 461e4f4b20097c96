// What SendlarkSetup's window shows, and what it asks of the program and reports to it. The
// window only shows and tells; the program, which implements SetupWindowEvents, finds the
// windows to list and decides what the buttons do.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/language.h"
#include "platform/listed_window.h"

namespace sendlark {

// The window's own texts. Captions carry the "&" of their access key.
struct SetupWindowTexts {
  Text title;
  std::array<Text, 5> columns;  // title, class, program, paste command, window
  Text pasteLabel;
  Text refresh;
  Text send;
  Text save;
};

class SetupWindowEvents {
 public:
  // The windows to list, in the order they are shown in until the user sorts them, and in
  // `status` what the status line says of them.
  virtual std::vector<ListedWindow> ListWindows(std::wstring& status) = 0;
  // The user wants the window chosen (null when there is none) saved as Sendlark's target, or
  // wants to try it out, with the paste command as typed. Each returns what the status line is
  // to say.
  virtual std::wstring Save(const ListedWindow* chosen, const std::wstring& paste) = 0;
  virtual std::wstring SendTestText(const ListedWindow* chosen, const std::wstring& paste) = 0;

 protected:
  ~SetupWindowEvents() = default;
};

}  // namespace sendlark
