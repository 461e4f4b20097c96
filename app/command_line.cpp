#include "app/command_line.h"

#include <limits>

#include "config/fields.h"
#include "config/text_util.h"
#include "state/program_state.h"

namespace sendlark {

namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

}  // namespace

std::wstring ArgumentText(const std::wstring& commandLine) {
  // The program's name ends at the first blank outside double quotes, as the C runtime cuts it.
  std::size_t at = 0;
  bool quoted = false;
  for (; at < commandLine.size() && (quoted || !IsBlank(commandLine[at])); ++at) {
    if (commandLine[at] == L'"') quoted = !quoted;
  }
  while (at < commandLine.size() && IsBlank(commandLine[at]))
    ++at;
  return commandLine.substr(at);
}

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
