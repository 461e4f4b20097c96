#include "config/file_io.h"

#include "config/text_util.h"
#include "platform/platform.h"

namespace sendlark {

namespace {

std::wstring PathOf(const std::wstring& fileName) {
  // Joined as given: a folder that already ends in a backslash (a drive's root) gets a second.
  return Sys().ProgramFolder() + L"\\" + fileName;
}

[[noreturn]] void FailFileIO(const std::wstring& description) {
  Sys().ShowMessage(std::wstring(kFileErrorMessage) + std::wstring(kCrLf) + description);
  EndProgram(kFileErrorExitCode);
}

void Check(const ErrorText& error) {
  if (error) FailFileIO(*error);
}

}  // namespace

void FileIO(int mode, std::wstring& text, const std::wstring& fileName) {
  switch (mode) {
    case Write:
    case Append: {
      const std::wstring line = text + std::wstring(kCrLf);
      Check(Sys().WriteFileBytes(PathOf(fileName), Sys().ToAnsi(line), mode == Append));
      return;
    }
    case Read: {
      std::string bytes;
      Check(Sys().ReadFileBytes(PathOf(fileName), bytes));
      text += TextLines(Sys().FromAnsi(bytes));
      return;
    }
    default:
      return;
  }
}

void FileReplace(const std::wstring& text, const std::wstring& fileName) {
  Check(Sys().ReplaceFileBytes(PathOf(fileName), Sys().ToAnsi(text)));
}

}  // namespace sendlark
