#include "state/program_state.h"

#include <cstdlib>
#include <utility>

#include "state/users_clipboard.h"

namespace sendlark {

ProgramState g_program;

void ResetProgram(Platform* platform) {
  ProgramState fresh;
  fresh.platform = platform;
  std::swap(g_program, fresh);
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
