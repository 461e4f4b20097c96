// SendlarkSetup.exe run from a script: /list and /save, without a window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "setup/setup_command_line.h"
#include "setup/setup_texts.h"
#include "setup/target_row.h"

namespace sendlark::setup {

inline constexpr int kScriptDone = 0;
inline constexpr int kScriptFailed = 1;
inline constexpr int kScriptUsage = 2;

struct ScriptOutcome {
  int exitCode = kScriptDone;
  std::wstring message;  // for the user when it failed
};

// Writes the windows to `file` as FormatWindowList does, replacing the file in one step.
ScriptOutcome WriteWindowList(const std::wstring& file, const std::vector<TargetRow>& rows,
                              const SetupTexts& texts);

// Saves the window of a /save command, `row` (nothing when there is no such window), with the
// paste command given on the command line or else the one found.
ScriptOutcome SaveWindow(const SetupCommand& command, const std::optional<TargetRow>& row,
                         const SetupTexts& texts);

// How the program is used, for a command line it does not understand.
ScriptOutcome Usage(const SetupCommand& command, const SetupTexts& texts);

}  // namespace sendlark::setup
