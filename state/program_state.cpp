#include "state/program_state.h"

#include <cstdlib>

#include "state/users_clipboard.h"

namespace sendlark {

ProgramState g_program;

void ResetProgram(Platform* platform) {
  // Value-initialised: from the braced form, MinGW's g++ 12 warns of the options' uninitialised
  // text, which -Werror makes an error.
  g_program = ProgramState();
  g_program.platform = platform;
}

Platform& Sys() {
  // Running without a platform is a programming error that no caller could recover from.
  if (g_program.platform == nullptr) std::abort();
  return *g_program.platform;
}

std::wstring SystemFold(const std::wstring& text) {
  return Sys().FoldCase(text);
}

void EndProgram(int exitCode) {
  GiveClipboardBack();
  Sys().Exit(exitCode);
  std::abort();
}

}  // namespace sendlark
