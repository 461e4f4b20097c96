// What SendlarkSetup.exe is asked to do by its command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sendlark::setup {

enum class SetupAction {
  kWindow,  // no arguments: open the window
  kList,    // /list FILE
  kSave,    // /save HWND [/paste ID]
  kUsage,   // anything else: say how it is used
};

struct SetupCommand {
  SetupAction action = SetupAction::kWindow;
  std::wstring listFile;
  std::uintptr_t window = 0;
  std::wstring windowText;  // the handle as given, for messages
  std::optional<std::uint32_t> paste;
  std::wstring notUnderstood;  // kUsage: the first argument that did not fit, or the last missing
};

// The arguments after the program's name, split as the C runtime splits them: at blanks outside
// double quotes, a backslash escaping a quote only where it precedes one.
std::vector<std::wstring> SplitArguments(std::wstring_view commandLine);

// The command in the whole command line, the program's name included. Switches ignore letter
// case.
SetupCommand ParseSetupCommand(std::wstring_view commandLine);

// A paste command's identifier as Sendlark accepts it: decimal digits only, at most 2147483647.
std::optional<std::uint32_t> ParsePasteId(std::wstring_view text);

// A window handle in decimal or as "0x" and hexadecimal digits; never 0.
std::optional<std::uintptr_t> ParseWindowHandle(std::wstring_view text);

}  // namespace sendlark::setup
