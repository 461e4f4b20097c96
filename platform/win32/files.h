// Whole-file reads and writes, and the atomic replacement of a file.
#pragma once

#include <string>

#include "platform/platform.h"

namespace sendlark::win32 {

ErrorText ReadWholeFile(const std::wstring& path, std::string& bytes);
ErrorText WriteWholeFile(const std::wstring& path, const std::string& bytes, bool append);
ErrorText ReplaceWholeFile(const std::wstring& path, const std::string& bytes);
bool IsExistingFile(const std::wstring& path);

}  // namespace sendlark::win32
