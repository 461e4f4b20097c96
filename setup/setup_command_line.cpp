#include "setup/setup_command_line.h"

#include <algorithm>
#include <limits>

#include "config/arguments.h"

namespace sendlark::setup {

namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

bool IsSwitch(std::wstring_view argument, std::wstring_view name) {
  if (argument.size() != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const wchar_t c = argument[i];
    if ((c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c) != name[i]) return false;
  }
  return true;
}

int DigitValue(wchar_t c, int base) {
  int value = base;
  if (c >= L'0' && c <= L'9') value = c - L'0';
  if (c >= L'a' && c <= L'f') value = c - L'a' + 10;
  if (c >= L'A' && c <= L'F') value = c - L'A' + 10;
  return value < base ? value : -1;
}

// Digits only, without sign or blanks, and not above `most`.
std::optional<std::uint64_t> ParseUnsigned(std::wstring_view digits, int base, std::uint64_t most) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const wchar_t c : digits) {
    const int digit = DigitValue(c, base);
    if (digit < 0 || value > (most - static_cast<std::uint64_t>(digit)) / base) {
      return std::nullopt;
    }
    value = value * base + static_cast<std::uint64_t>(digit);
  }
  return value;
}

SetupCommand Usage(std::wstring notUnderstood) {
  SetupCommand command;
  command.action = SetupAction::kUsage;
  command.notUnderstood = std::move(notUnderstood);
  return command;
}

SetupCommand SaveCommand(const std::vector<std::wstring>& arguments) {
  if (arguments.size() < 2) return Usage(arguments[0]);
  const std::optional<std::uintptr_t> window = ParseWindowHandle(arguments[1]);
  if (!window) return Usage(arguments[1]);
  SetupCommand command;
  command.action = SetupAction::kSave;
  command.window = *window;
  command.windowText = arguments[1];
  if (arguments.size() == 2) return command;
  if (!IsSwitch(arguments[2], L"/paste")) return Usage(arguments[2]);
  if (arguments.size() == 3) return Usage(arguments[2]);
  command.paste = ParsePasteId(arguments[3]);
  if (!command.paste) return Usage(arguments[3]);
  if (arguments.size() > 4) return Usage(arguments[4]);
  return command;
}

}  // namespace

std::vector<std::wstring> SplitArguments(std::wstring_view commandLine) {
  const std::wstring text = ArgumentText(std::wstring(commandLine));
  std::vector<std::wstring> arguments;
  std::size_t at = 0;
  for (;;) {
    while (at < text.size() && IsBlank(text[at]))
      ++at;
    if (at == text.size()) return arguments;
    std::wstring argument;
    bool quoted = false;
    while (at < text.size() && (quoted || !IsBlank(text[at]))) {
      if (text[at] == L'\\') {
        const std::size_t run = std::min(text.find_first_not_of(L'\\', at), text.size()) - at;
        const bool beforeQuote = at + run < text.size() && text[at + run] == L'"';
        // Before a quote, pairs of backslashes stand for one each and an odd one escapes it.
        argument.append(beforeQuote ? run / 2 : run, L'\\');
        at += run;
        if (beforeQuote && run % 2 == 1) {
          argument += L'"';
          ++at;
        }
      } else if (text[at] == L'"') {
        // Inside quotes, two quotes stand for one, and the quotes go on.
        if (quoted && at + 1 < text.size() && text[at + 1] == L'"') {
          argument += L'"';
          ++at;
        } else {
          quoted = !quoted;
        }
        ++at;
      } else {
        argument += text[at++];
      }
    }
    arguments.push_back(std::move(argument));
  }
}

SetupCommand ParseSetupCommand(std::wstring_view commandLine) {
  const std::vector<std::wstring> arguments = SplitArguments(commandLine);
  if (arguments.empty()) return {};
  if (IsSwitch(arguments[0], L"/save")) return SaveCommand(arguments);
  if (!IsSwitch(arguments[0], L"/list")) return Usage(arguments[0]);
  if (arguments.size() != 2) return Usage(arguments.size() < 2 ? arguments[0] : arguments[2]);
  SetupCommand command;
  command.action = SetupAction::kList;
  command.listFile = arguments[1];
  return command;
}

std::optional<std::uint32_t> ParsePasteId(std::wstring_view text) {
  const std::optional<std::uint64_t> id =
      ParseUnsigned(text, 10, std::numeric_limits<std::int32_t>::max());
  if (!id) return std::nullopt;
  return static_cast<std::uint32_t>(*id);
}

std::optional<std::uintptr_t> ParseWindowHandle(std::wstring_view text) {
  const bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
  const std::optional<std::uint64_t> handle = ParseUnsigned(
      hex ? text.substr(2) : text, hex ? 16 : 10, std::numeric_limits<std::uintptr_t>::max());
  if (!handle || *handle == 0) return std::nullopt;
  return static_cast<std::uintptr_t>(*handle);
}

}  // namespace sendlark::setup
