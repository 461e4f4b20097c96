#include "config/file_io.h"

#include "config/text_util.h"
#include "state/delivery_turn.h"
#include "state/program_state.h"

namespace sendlark {

namespace {

std::wstring PathOf(const std::wstring& fileName) {
  // Joined as given: a folder that already ends in a backslash (a drive's root) gets a second.
  return Sys().ProgramFolder() + L"\\" + fileName;
}

void Check(const ErrorText& error) {
  if (!error) return;
  ShowMessage(std::wstring(kFileErrorMessage) + std::wstring(kCrLf) + *error);
  EndProgram(kFileErrorExitCode);
}

}  // namespace

void FileIO(int mode, std::wstring& text, const std::wstring& fileName) {
  if (mode != Read) return;
  std::string bytes;
  Check(Sys().ReadFileBytes(PathOf(fileName), bytes));
  text += TextLines(Sys().FromAnsi(bytes));
}

void FileReplace(const std::wstring& text, const std::wstring& fileName) {
  Check(Sys().ReplaceFileBytes(PathOf(fileName), Sys().ToAnsi(text)));
}

}  // namespace sendlark
