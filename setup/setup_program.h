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

  std::vector<ListedWindow> ListWindows(std::wstring& status) override;
  // Both take Sendlark's road: Save writes the window's title, class and program file with the
  // paste command and :RestoreClipboard into Config.ini; SendTestText delivers kTestText to it
  // exactly as Sendlark delivers, and records nothing.
  std::wstring Save(const ListedWindow* chosen, const std::wstring& paste,
                    bool restoreClipboard) override;
  std::wstring SendTestText(const ListedWindow* chosen, const std::wstring& paste) override;
  bool RestoresClipboard() override;

  // Does what the arguments after the program's name ask, none of which may be missing:
  // "/list FILE", or "/save HWND [/paste ID]", with the paste command given or else the one
  // found; switches in any letter case. Returns the exit code: 0 when done, 1 when not and 2
  // for arguments it does not understand, with `message` for the user.
  int RunScript(const std::vector<std::wstring>& arguments, std::wstring& message);

 private:
  // Finds the window's paste command and fills in the texts that show it.
  void Describe(ListedWindow& window) const;
  int List(const std::wstring& file, std::wstring& message);
  // The text with each "%1" to "%9" replaced by that value.
  std::wstring Say(int text, std::initializer_list<std::wstring_view> values = {}) const;

  TextFn text_;
  ListWindowsFn list_;
  DescribeWindowFn describe_;
};

}  // namespace sendlark::setup
