// The program's text files, all of which lie in the program's folder.
#pragma once

#include <cstdint>
#include <string>

#include "config/text_encoding.h"
#include "platform/platform.h"

namespace sendlark {

enum FileMode : int {
  Read = 3,  // append every line of the file, each followed by CR LF, to the text
};

// The path of `fileName` in the program's folder.
std::wstring ProgramFilePath(const std::wstring& fileName);

// Reads `fileName` in the program's folder when `mode` is Read; any other mode does nothing.
// A file is read in the encoding its bytes show (see DetectEncoding): UTF-8 or UTF-16 with a
// mark, UTF-8 without one, or else the system's ANSI code page. On reading, a line ends at
// CR LF or at a CR alone; a LF alone belongs to the line. A failure is never returned: it is
// shown to the user and ends the program.
void FileIO(int mode, std::wstring& text, const std::wstring& fileName);

// The text a file's bytes hold, before it is cut into lines, and the encoding they show.
std::wstring DecodeFileText(const std::string& bytes, FileEncoding& encoding);

// The bytes that hold `text` in `encoding`, or, if it would not read back exactly in it (the
// ANSI code page lacks one of its characters, say), in UTF-8 with its mark; `encoding` is set
// to the encoding used.
std::string EncodeFileText(const std::wstring& text, FileEncoding& encoding);

// FileIO in read mode that also tells which encoding the file was read in. A file larger than
// kMaxFileBytes is a failure, found before it is decoded.
FileEncoding ReadTextFile(std::wstring& text, const std::wstring& fileName);

// Replaces the whole content of `fileName` with `text` in one step, so that a reader, or a
// failure half way, never leaves part of the old or new content behind. The text is written as
// EncodeFileText writes it, so no character is lost. Returns the encoding written. Temporary files
// left by an earlier copy that ended while replacing the file are removed first, the first time
// this copy replaces it holding the delivery turn. Failures end the program as in FileIO.
FileEncoding FileReplace(const std::wstring& text, const std::wstring& fileName,
                         FileEncoding encoding);

// A file failure, when there is one: shown with its reason, then the program ends.
void CheckFile(const ErrorText& error);

// A log file that is "Config.ini" or the command file, under any of its names, is a failure: it
// would be read as the history and cut to its first ten lines. A file that cannot be looked at
// is left to the reading that follows.
void CheckLogFileIsSeparate();

// Far beyond the 32,767 lines the command menu shows; decoding a file makes several copies.
inline constexpr std::uint64_t kMaxFileBytes = 64ull << 20;

inline constexpr wchar_t kFileErrorMessage[] = L"ファイル入出力エラー";
inline constexpr int kFileErrorExitCode = 1;

}  // namespace sendlark
