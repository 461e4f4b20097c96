// What SendlarkSetup does: the windows its window lists and what its buttons do with the one
// chosen, and /list and /save for scripts.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/setup_window_events.h"

namespace sendlark::setup {

// The line the test delivers.
inline constexpr wchar_t kTestText[] = L"Sendlark test\r\n";

class SetupProgram final : public SetupWindowEvents {
 public:
  // A text of platform/setup_texts.h in the user's language; what the system tells of the
  // windows that could be the target, and of one window by its handle (nothing when there is no
  // such window).
  using TextFn = std::function<std::wstring(int id)>;
  using ListWindowsFn = std::function<std::vector<ListedWindow>()>;
  using DescribeWindowFn = std::function<std::optional<ListedWindow>(std::uintptr_t window)>;

  SetupProgram(TextFn text, ListWindowsFn list, DescribeWindowFn describe)
      : text_(std::move(text)), list_(std::move(list)), describe_(std::move(describe)) {}

  // The windows of other programs, but for another copy's strip.
  std::vector<ListedWindow> ListWindows(std::wstring& status) override;
  // Both take Sendlark's road: Save writes the title and mode, the window's class and program
  // file, the paste route, the check box and the hot key unless its box is empty into Config.ini,
  // refusing a copy's strip, and a hot key that names no combination, is a shortcut of the
  // clipboard or that the system will not register now; SendTestText delivers kTestText exactly as
  // Sendlark delivers, and records nothing. For a window without a paste command, with none typed,
  // it tries WM_PASTE, then Shift+Insert, then Ctrl+V, and stops at the first the window takes.
  std::wstring Save(const SetupChoice& choice) override;
  std::wstring SendTestText(SetupChoice& choice) override;
  // Among the windows last listed, as Sendlark searches: those of the chosen class whose title
  // matches, the frontmost first.
  std::wstring DescribeMatch(const SetupChoice& choice) override;
  bool RestoresClipboard() override;

  // Does what the arguments after the program's name ask, none of which may be missing:
  // "/list FILE", or "/save HWND" followed by any of "/paste ID", "/title TEXT" and
  // "/title-match MODE", each at most once, with the paste command given or else the one found,
  // the window's title and exact matching unless given; switches in any letter case. Returns
  // the exit code: 0 when done, 1 when not and 2 for arguments it does not understand, with
  // `message` for the user.
  int RunScript(const std::vector<std::wstring>& arguments, std::wstring& message);

 private:
  // Finds the window's paste command (a console's by its class) and fills in the texts that show
  // it.
  void Describe(ListedWindow& window) const;
  int List(const std::wstring& file, std::wstring& message);
  // The text with each "%1" to "%9" replaced by that value.
  std::wstring Say(int text, std::initializer_list<std::wstring_view> values = {}) const;

  TextFn text_;
  ListWindowsFn list_;
  DescribeWindowFn describe_;
  std::vector<ListedWindow> listed_;  // as last listed: front to back
};

}  // namespace sendlark::setup
