// The program's text files, all of which lie in the program's folder.
#pragma once

#include <string>

namespace sendlark {

enum FileMode : int {
  Read = 3,  // append every line of the file, each followed by CR LF, to the text
};

// Reads `fileName` in the program's folder when `mode` is Read; any other mode does nothing.
// Files are in the system's ANSI code page. On reading, a line ends at CR LF or at a CR alone;
// a LF alone belongs to the line. A failure is never returned: it is shown to the user and
// ends the program.
void FileIO(int mode, std::wstring& text, const std::wstring& fileName);

// Replaces the whole content of `fileName` with `text` in one step, so that a reader, or a
// failure half way, never leaves part of the old or new content behind. Failures end the
// program as in FileIO.
void FileReplace(const std::wstring& text, const std::wstring& fileName);

inline constexpr wchar_t kFileErrorMessage[] = L"ファイル入出力エラー";
inline constexpr int kFileErrorExitCode = 1;

}  // namespace sendlark
