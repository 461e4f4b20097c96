// Whole-file reads and the atomic replacement of a file.
#include <algorithm>
#include <cstdint>
#include <optional>

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

// Each process replaces a file through a temporary file of its own beside it,
// "<file>.<process id>.tmp", so that two copies never write into the same one.
std::wstring TemporaryFor(const std::wstring& path) {
  return path + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
}

// The process id in `name` when it is "<file>.<digits>.tmp", the file's name compared as the
// file system does, without regard to letter case.
std::optional<DWORD> TemporaryOf(std::wstring_view name, std::wstring_view file) {
  constexpr std::wstring_view kSuffix = L".tmp";
  if (name.size() <= file.size() + 1 + kSuffix.size() || name[file.size()] != L'.') {
    return std::nullopt;
  }
  const auto sameText = [](std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
  };
  if (!sameText(name.substr(0, file.size()), file) ||
      !sameText(name.substr(name.size() - kSuffix.size()), kSuffix)) {
    return std::nullopt;
  }
  const std::wstring_view digits =
      name.substr(file.size() + 1, name.size() - file.size() - 1 - kSuffix.size());
  std::uint64_t id = 0;
  for (const wchar_t c : digits) {
    if (c < L'0' || c > L'9' || id > 0xFFFFFFFFu) return std::nullopt;
    id = id * 10 + static_cast<std::uint64_t>(c - L'0');
  }
  if (id > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<DWORD>(id);
}

// A copy that gave up waiting for the turn may be writing its temporary file right now.
bool IsRunning(DWORD processId) {
  const UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
  return process && ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
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

// The size comes from the opened file, so a link counts with what it links to, and the read
// itself stops past the limit, so a file growing meanwhile is not taken whole either.
FileRead Win32Platform::ReadFileBytes(const std::wstring& path, std::uint64_t maxBytes) {
  FileRead read;
  UniqueFile file = OpenPatiently(
      path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
  LARGE_INTEGER size = {};
  if (!file || !::GetFileSizeEx(file.get(), &size)) {
    read.error = LastErrorText();
    return read;
  }
  read.tooLarge = static_cast<std::uint64_t>(size.QuadPart) > maxBytes;
  char buffer[64 * 1024];
  while (!read.tooLarge) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
      read.error = LastErrorText();
      break;
    }
    if (got == 0) return read;
    read.bytes.append(buffer, got);
    read.tooLarge = read.bytes.size() > maxBytes;
  }
  read.bytes.clear();
  return read;
}

ErrorText Win32Platform::ReplaceFileBytes(const std::wstring& path, const std::string& bytes,
                                          bool flush) {
  // A read-only file is not to be written, even by replacing it (which some file systems
  // would allow).
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return ErrorDescription(ERROR_ACCESS_DENIED);
  }
  // The new content is written beside the file and moved over it in one step, so the file
  // holds either the old or the new content whatever happens in between: a failure, the
  // program being ended, or a second copy writing at the same moment (each copy writes a
  // temporary file of its own). Unless asked, the data is not forced to the disk: on every
  // delivery that would cost more than the delivery itself.
  const std::wstring temporary = TemporaryFor(path);
  ErrorText error;
  {
    UniqueFile file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastErrorText();
    error = WriteAll(file.get(), bytes);
    // Otherwise a power cut soon after the move may leave the file empty.
    if (!error && flush && !::FlushFileBuffers(file.get())) error = LastErrorText();
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

void Win32Platform::RemoveStaleReplacements(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
  const std::wstring file = path.substr(folder.size());
  WIN32_FIND_DATAW found;
  const UniqueFind search(::FindFirstFileW((path + L".*.tmp").c_str(), &found));
  if (!search) return;
  do {
    // The pattern also matches short names and other middles.
    const std::optional<DWORD> writer = TemporaryOf(found.cFileName, file);
    if (writer && !IsRunning(*writer)) {
      ::DeleteFileW((folder + found.cFileName).c_str());
    }
  } while (::FindNextFileW(search.get(), &found));
}

std::optional<FileIdentity> Win32Platform::IdentifyFile(const std::wstring& path) {
  // Attributes alone: no other program's sharing mode stands in the way.
  const UniqueFile file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!file || !::GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      std::uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow};
}

bool Win32Platform::IsExistingFile(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32Platform::IsMissingFile(const std::wstring& path) {
  if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace sendlark::win32
