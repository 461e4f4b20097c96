#include "config/arguments.h"

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

}  // namespace sendlark
