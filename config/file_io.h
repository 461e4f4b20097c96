// The program's text files, all of which lie in the program's folder.
#pragma once

#include <string>

namespace sendlark {

enum FileMode : int {
  Write = 1,   // create or empty the file, then write the text and CR LF
  Append = 2,  // create the file if missing, then add the text and CR LF at its end
  Read = 3,    // append every line of the file, each followed by CR LF, to the text
};

// Reads or writes `fileName` in the program's folder as `mode` says; any other mode does
// nothing. Files are in the system's ANSI code page. On reading, a line ends at CR LF or at a
// CR alone; a LF alone belongs to the line. A failure is never returned: it is shown to the
// user and ends the program.
void FileIO(int mode, std::wstring& text, const std::wstring& fileName);

// Replaces the whole content of `fileName` with `text` in one step, so that a reader, or a
// failure half way, never leaves part of the old or new content behind. Failures end the
// program as in FileIO.
void FileReplace(const std::wstring& text, const std::wstring& fileName);

inline constexpr wchar_t kFileErrorMessage[] = L"ファイル入出力エラー";
inline constexpr int kFileErrorExitCode = 1;

}  // namespace sendlark
