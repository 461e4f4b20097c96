// Reading a text file of any bytes (invalid Shift-JIS, NUL bytes, lone CR and LF) in code
// page 1252 and in Shift-JIS (932), and writing its lines back.

#include <cstdint>

#include "config/file_io.h"
#include "config/text_util.h"
#include "fuzz/fuzz_support.h"

namespace sendlark::fuzzing {
namespace {

// Writing is one open, write and close per line; a few lines show whether it works.
constexpr int kLinesWrittenBack = 16;

void CheckRead(const std::string& bytes, const char* codePage) {
  testing::FakePlatform& sys = FakeSystem(codePage);
  sys.WriteFile(L"in.txt", bytes);
  const std::wstring earlier = L"read before\r\n";
  std::wstring text = earlier;
  FileIO(Read, text, L"in.txt");

  // The lines follow what the text held, each with its CR LF, and no CR stands alone.
  FUZZ_REQUIRE(text.starts_with(earlier));
  const std::wstring lines = text.substr(earlier.size());
  FUZZ_REQUIRE(lines.empty() == bytes.empty());
  FUZZ_REQUIRE(lines.empty() || lines.ends_with(kCrLf));
  for (std::size_t cr = lines.find(L'\r'); cr != std::wstring::npos;
       cr = lines.find(L'\r', cr + 1)) {
    FUZZ_REQUIRE(cr + 1 < lines.size() && lines[cr + 1] == L'\n');
  }
  // Nothing but the line ends changes: with every line end written as a lone CR, the lines
  // are the file's text, its last line given an end if it had none.
  std::wstring fileText = ReplaceAll(sys.FromAnsi(bytes), kCrLf, L"\r");
  if (!fileText.empty() && fileText.back() != L'\r') fileText += L'\r';
  FUZZ_REQUIRE(ReplaceAll(lines, kCrLf, L"\r") == fileText);

  // Written back one line per call, as the history is, the lines read back the same.
  std::wstring written;
  int count = 0;
  for (std::size_t start = 0; start < lines.size() && count < kLinesWrittenBack; ++count) {
    const std::size_t end = lines.find(kCrLf, start);
    std::wstring line = lines.substr(start, end - start);
    FileIO(count == 0 ? Write : Append, line, L"out.txt");
    written += line + std::wstring(kCrLf);
    start = end + kCrLf.size();
  }
  if (count == 0) return;
  std::wstring readBack;
  FileIO(Read, readBack, L"out.txt");
  FUZZ_REQUIRE(readBack == written);
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
