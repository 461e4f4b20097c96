// The running program: its folder, other copies of it, starting other programs and ending.
#include <cstdint>
#include <cwchar>

#include "platform/win32/error_text.h"
#include "platform/win32/win32_platform.h"

namespace sendlark::win32 {

namespace {

// One name per folder, whatever its spelling: long form, one letter case.
std::wstring CanonicalFolder(const std::wstring& folder) {
  std::wstring canonical = ReadWholeText([&](wchar_t* buffer, DWORD size) {
    return ::GetLongPathNameW(folder.c_str(), buffer, size);
  });
  if (canonical.empty()) canonical = folder;
  ::CharUpperBuffW(canonical.data(), static_cast<DWORD>(canonical.size()));
  return canonical;
}

// A folder path can be longer than a kernel object name may be, so the name carries a hash.
std::wstring InstanceName(const std::wstring& folder) {
  std::uint64_t hash = 14695981039346656037ull;  // 64-bit FNV-1a
  for (const wchar_t c : CanonicalFolder(folder)) {
    hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
  }
  wchar_t name[64];
  std::swprintf(name, std::size(name), L"Local\\Sendlark-%016llx",
                static_cast<unsigned long long>(hash));
  return name;
}

}  // namespace

// The folder of the running executable, without a final backslash unless it is a drive's root.
std::wstring Win32Platform::ProgramFolder() {
  const std::wstring path = ReadWholeText(
      [](wchar_t* buffer, DWORD size) { return ::GetModuleFileNameW(nullptr, buffer, size); });
  const std::size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos) return path;
  // A drive's root keeps its backslash ("C:\"), as the system writes it.
  if (slash == 2 && path[1] == L':') return path.substr(0, 3);
  return path.substr(0, slash);
}

std::wstring Win32Platform::CommandLine() {
  return ::GetCommandLineW();
}

// True when a copy of this program from the same folder is already running. The first call
// claims the folder for this process until it ends; two installations in different folders,
// serving two different targets, run side by side.
bool Win32Platform::AnotherCopyRunning() {
  if (instanceClaim_) return false;
  ::SetLastError(ERROR_SUCCESS);
  instanceClaim_.reset(::CreateMutexW(nullptr, FALSE, InstanceName(ProgramFolder()).c_str()));
  const DWORD error = ::GetLastError();
  // Access denied means the name exists under another copy's security context.
  return error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
}

void Win32Platform::Exit(int exitCode) {
  // Ending the process destroys no window, so the owner hands over its text first.
  clipboard_.HandOver();
  ::ExitProcess(static_cast<UINT>(exitCode));
}

ErrorText Win32Platform::StartProgram(const ProgramStart& start) {
  std::wstring buffer = start.commandLine;  // CreateProcessW may write into its command line
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  // The new program opens its window while we still have the user's input; let it take the
  // foreground.
  ::AllowSetForegroundWindow(ASFW_ANY);
  const wchar_t* application = start.application.empty() ? nullptr : start.application.c_str();
  if (!::CreateProcessW(application, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return LastErrorText();
  }
  const UniqueKernelHandle thread(process.hThread), started(process.hProcess);
  return std::nullopt;
}

}  // namespace sendlark::win32
