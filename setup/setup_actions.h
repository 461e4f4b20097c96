// What the setup window's buttons do.
#pragma once

#include <optional>
#include <string>

#include "setup/setup_texts.h"
#include "setup/target_row.h"

namespace sendlark::setup {

// The line the test delivers.
inline constexpr wchar_t kTestText[] = L"Sendlark test\r\n";

// The buttons' work on the window chosen, `row`, null when there is none. Each returns what the
// status line is to say.
class SetupActions {
 public:
  explicit SetupActions(const SetupTexts& texts) : texts_(texts) {}

  // Saves the window's title, class and program file with the paste command into Config.ini.
  std::wstring Save(const TargetRow* row, const std::wstring& paste);
  // Delivers kTestText to the window exactly as Sendlark delivers, and records nothing.
  std::wstring SendTestText(const TargetRow* row, const std::wstring& paste);

 private:
  // The paste command's digits, or nothing once the user has been told what is wrong.
  std::optional<std::wstring> CheckChoice(const TargetRow* row, const std::wstring& paste,
                                          std::wstring& status);
  std::wstring Fail(std::wstring text);

  const SetupTexts& texts_;
};

}  // namespace sendlark::setup
