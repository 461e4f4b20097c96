#include "config/file_io.h"

#include <optional>

#include "config/text_util.h"
#include "state/delivery_turn.h"
#include "state/program_state.h"

namespace sendlark {

namespace {

// The text a file's bytes hold, as reading finds it.
std::wstring Decode(const std::string& bytes, FileEncoding encoding) {
  return encoding == FileEncoding::Ansi ? Sys().FromAnsi(bytes) : DecodeUnicode(bytes, encoding);
}

// The bytes of `text` in `encoding`, if reading them gives the text back exactly: the ANSI code
// page may lack a character, bytes in it may look like UTF-8 or begin like a mark, and a text
// that begins with U+FEFF would lose it to the mark it looks like.
std::optional<std::string> EncodeExactly(const std::wstring& text, FileEncoding encoding) {
  std::optional<std::string> bytes =
      encoding == FileEncoding::Ansi ? Sys().ToAnsi(text) : EncodeUnicode(text, encoding);
  if (!bytes) return std::nullopt;
  const FileEncoding read = DetectEncoding(*bytes);
  if (Decode(*bytes, read) != text) return std::nullopt;
  return bytes;
}

std::optional<FileIdentity> IdentityOf(const std::wstring& fileName) {
  return Sys().IdentifyFile(ProgramFilePath(fileName));
}

}  // namespace

void CheckFile(const ErrorText& error) {
  if (!error) return;
  ShowMessage(std::wstring(kFileErrorMessage) + std::wstring(kCrLf) + *error);
  EndProgram(kFileErrorExitCode);
}

void CheckLogFileIsSeparate() {
  const std::optional<FileIdentity> log = IdentityOf(g_settings[LogFileName]);
  if (!log) return;
  if (IdentityOf(kConfigFileName) == log) {
    CheckFile(
        L":LogFileName が Config.ini と同じファイルです。"
        L"履歴で上書きしないよう、別のファイルを指定してください。");
  }
  if (IdentityOf(g_settings[CommandFileName]) == log) {
    CheckFile(
        L":LogFileName が :CommandFileName と同じファイルです。"
        L"履歴で上書きしないよう、別のファイルを指定してください。");
  }
}

std::wstring ProgramFilePath(const std::wstring& fileName) {
  // Joined as given: a folder that already ends in a backslash (a drive's root) gets a second.
  return Sys().ProgramFolder() + L"\\" + fileName;
}

std::wstring DecodeFileText(const std::string& bytes, FileEncoding& encoding) {
  encoding = DetectEncoding(bytes);
  return Decode(bytes, encoding);
}

std::string EncodeFileText(const std::wstring& text, FileEncoding& encoding) {
  // UTF-16 holds even an unpaired surrogate, which UTF-8 cannot.
  for (const FileEncoding candidate : {encoding, FileEncoding::Utf8Bom, FileEncoding::Utf16Le}) {
    if (std::optional<std::string> bytes = EncodeExactly(text, candidate)) {
      encoding = candidate;
      return std::move(*bytes);
    }
  }
  encoding = FileEncoding::Utf16Le;
  return EncodeUnicode(text, encoding);
}

FileEncoding ReadTextFile(std::wstring& text, const std::wstring& fileName) {
  const FileRead read = Sys().ReadFileBytes(ProgramFilePath(fileName), kMaxFileBytes);
  if (read.tooLarge) CheckFile(fileName + L" は 64 MiB を超えているため読み込めません。");
  CheckFile(read.error);
  FileEncoding encoding;
  text += TextLines(DecodeFileText(read.bytes, encoding));
  return encoding;
}

void FileIO(int mode, std::wstring& text, const std::wstring& fileName) {
  if (mode == Read) ReadTextFile(text, fileName);
}

FileEncoding FileReplace(const std::wstring& text, const std::wstring& fileName,
                         FileEncoding encoding) {
  const std::wstring path = ProgramFilePath(fileName);
  const std::string bytes = EncodeFileText(text, encoding);
  // Only the holder of the turn replaces the file, so any temporary file of it that is there
  // now was left by a copy that ended half way. Once a run is enough: looking costs as much as
  // a third of the rewrite itself, and such files are rare.
  if (!g_program.staleReplacementsRemoved && HoldsDeliveryTurn()) {
    Sys().RemoveStaleReplacements(path);
    g_program.staleReplacementsRemoved = true;
  }
  CheckFile(Sys().ReplaceFileBytes(path, bytes));
  return encoding;
}

}  // namespace sendlark
