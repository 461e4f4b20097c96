// Reading a text file of any bytes (invalid Shift-JIS or UTF-8, marks, NUL bytes, lone CR and
// LF) in code page 1252 and in Shift-JIS (932), and writing its lines back.

#include <cstdint>

#include "config/file_io.h"
#include "config/text_encoding.h"
#include "config/text_util.h"
#include "fuzz/fuzz_support.h"

namespace sendlark::fuzzing {
namespace {

void CheckRead(const std::string& bytes, const char* codePage) {
  testing::FakePlatform& sys = FakeSystem(codePage);
  sys.WriteFile(L"in.txt", bytes);
  const std::wstring earlier = L"read before\r\n";
  std::wstring text = earlier;
  FileIO(Read, text, L"in.txt");

  // The lines follow what the text held, each with its CR LF, and no CR stands alone.
  FUZZ_REQUIRE(text.starts_with(earlier));
  const std::wstring lines = text.substr(earlier.size());
  const FileEncoding encoding = DetectEncoding(bytes);
  const std::wstring decoded =
      encoding == FileEncoding::Ansi ? sys.FromAnsi(bytes) : DecodeUnicode(bytes, encoding);
  FUZZ_REQUIRE(lines.empty() == decoded.empty());
  FUZZ_REQUIRE(lines.empty() || lines.ends_with(kCrLf));
  for (std::size_t cr = lines.find(L'\r'); cr != std::wstring::npos;
       cr = lines.find(L'\r', cr + 1)) {
    FUZZ_REQUIRE(cr + 1 < lines.size() && lines[cr + 1] == L'\n');
  }
  // Nothing but the line ends changes: with every line end written as a lone CR, the lines
  // are the file's text, its last line given an end if it had none.
  std::wstring fileText = ReplaceAll(decoded, kCrLf, L"\r");
  if (!fileText.empty() && fileText.back() != L'\r') fileText += L'\r';
  FUZZ_REQUIRE(ReplaceAll(lines, kCrLf, L"\r") == fileText);

  // Written back whole, as the history is, in the encoding read, the lines read back the same.
  if (lines.empty()) return;
  FileReplace(lines, L"out.txt", encoding);
  std::wstring readBack;
  FileIO(Read, readBack, L"out.txt");
  FUZZ_REQUIRE(readBack == lines);
}

}  // namespace
}  // namespace sendlark::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sendlark::fuzzing;
  const std::string bytes(Bytes(data, size));
  CheckRead(bytes, "CP1252");
  CheckRead(bytes, "CP932");
  return 0;
}
