#include "platform/platform.h"

#include <cstdlib>

namespace sendlark {

namespace {
Platform* g_platform = nullptr;
}

Platform& Sys() {
  // Running without a platform is a programming error that no caller could recover from.
  if (g_platform == nullptr) std::abort();
  return *g_platform;
}

void UsePlatform(Platform* platform) {
  g_platform = platform;
}

std::wstring SystemFold(const std::wstring& text) {
  return Sys().FoldCase(text);
}

void EndProgram(int exitCode) {
  Sys().EndProgram(exitCode);
  std::abort();
}

}  // namespace sendlark
