#include "app/command_line.h"

#include <limits>

#include "config/arguments.h"
#include "config/fields.h"
#include "config/text_util.h"
#include "state/program_state.h"

namespace sendlark {

bool GetCommandArgs(std::vector<std::wstring>& items) {
  const std::wstring arguments = ArgumentText(Sys().CommandLine());
  if (arguments.empty()) return false;
  std::vector<std::wstring> fields =
      LeadingFields(arguments, std::wstring(kCrLf),
                    static_cast<std::size_t>(std::numeric_limits<int>::max()), SystemFold);
  items.insert(items.end(), fields.begin(), fields.end());
  return true;
}

}  // namespace sendlark
