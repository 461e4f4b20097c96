// Whole-file reads and the atomic replacement of a file.
#include <algorithm>

#include "platform/win32/error_text.h"
#include "platform/win32/retry.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"

namespace sendlark::win32 {

namespace {

// A virus scanner, an indexer or a backup program may hold a file for a moment. A refusal
// for that reason is tried again for a second before it counts.
constexpr RetryPolicy kBusyFilePatience = {1000, 20};

bool IsBusy(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

Attempt Outcome(bool done, bool (*transient)(DWORD) = IsBusy) {
  if (done) return Attempt::Done;
  return transient(::GetLastError()) ? Attempt::Again : Attempt::Fail;
}

UniqueFile OpenPatiently(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
  UniqueFile file;
  Retry(kBusyFilePatience, [&] {
    file.reset(::CreateFileW(path.c_str(), access, share, nullptr, disposition,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    return Outcome(static_cast<bool>(file));
  });
  return file;
}

ErrorText WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return LastErrorText();
    done += written;
  }
  return std::nullopt;
}

}  // namespace

ErrorText Win32Platform::ReadFileBytes(const std::wstring& path, std::string& bytes) {
  UniqueFile file = OpenPatiently(
      path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
  if (!file) return LastErrorText();
  char buffer[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return LastErrorText();
    if (got == 0) return std::nullopt;
    bytes.append(buffer, got);
  }
}

ErrorText Win32Platform::ReplaceFileBytes(const std::wstring& path, const std::string& bytes) {
  // A read-only file is not to be written, even by replacing it (which some file systems
  // would allow).
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return ErrorDescription(ERROR_ACCESS_DENIED);
  }
  // The new content is written beside the file and moved over it in one step, so the file
  // holds either the old or the new content whatever happens in between: a failure, the
  // program being ended, or a second copy writing at the same moment (each copy writes a
  // temporary file of its own). The data is not forced to the disk on every delivery; that
  // would cost more than the delivery itself.
  const std::wstring temporary = path + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
  ErrorText error;
  {
    UniqueFile file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastErrorText();
    error = WriteAll(file.get(), bytes);
  }
  // A file held open elsewhere cannot be replaced, and the system may say so as access denied.
  const auto move = [&] {
    return Outcome(::MoveFileExW(temporary.c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE,
                   [](DWORD e) { return IsBusy(e) || e == ERROR_ACCESS_DENIED; });
  };
  if (!error && !Retry(kBusyFilePatience, move)) error = LastErrorText();
  if (error) ::DeleteFileW(temporary.c_str());
  return error;
}

bool Win32Platform::IsExistingFile(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace sendlark::win32
