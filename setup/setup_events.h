// What the setup window reports: the user wants the chosen window saved as Sendlark's target,
// or wants to try it out, with the paste command as typed.
#pragma once

#include <string>

#include "setup/target_row.h"

namespace sendlark::setup {

class SetupEvents {
 public:
  virtual ~SetupEvents() = default;
  // `row` is null when no window is chosen. Each returns what the status line is to say.
  virtual std::wstring Save(const TargetRow* row, const std::wstring& paste) = 0;
  virtual std::wstring SendTestText(const TargetRow* row, const std::wstring& paste) = 0;
};

}  // namespace sendlark::setup
