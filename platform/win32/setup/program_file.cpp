#include "platform/win32/setup/program_file.h"

#include "platform/win32/unique_handle.h"

namespace sendlark::win32 {

namespace {

// The longest path the system writes.
constexpr DWORD kLongestPath = 32768;

}  // namespace

std::wstring ProgramFileOf(HWND window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  // The least access there is: granted even for most processes of other users.
  const UniqueKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return {};
  std::wstring path(kLongestPath, L'\0');
  DWORD length = kLongestPath;
  if (!::QueryFullProcessImageNameW(process.get(), 0, path.data(), &length)) return {};
  path.resize(length);
  return path;
}

}  // namespace sendlark::win32
