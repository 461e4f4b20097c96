// The command text and the history entry, its one-line form, for any header, item and footer.
//
// Input: header, item and footer, separated by NUL bytes; each byte is one character.

#include <cstdint>

#include "config/text_util.h"
#include "delivery/command_text.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sendlark;
  using namespace sendlark::fuzzing;
  std::vector<std::wstring> parts;
  for (const std::string_view part : Split(Bytes(data, size), '\0')) {
    parts.emplace_back(part.begin(), part.end());
  }
  parts.resize(3);
  const std::wstring& header = parts[0];
  const std::wstring& text = parts[1];
  const std::wstring& footer = parts[2];

  // The escape works on the joined text, two characters for two, and leaves none behind.
  const std::wstring command = CommandText(header, text, footer);
  FUZZ_REQUIRE(command == CommandText(L"", header + text + footer, L""));
  FUZZ_REQUIRE(command.size() == header.size() + text.size() + footer.size());
  FUZZ_REQUIRE(command.find(L"\\n") == std::wstring::npos);

  // The history entry is one line, and delivering it again sends the same command text.
  const std::wstring entry = HistoryEntry(command);
  FUZZ_REQUIRE(entry.size() == command.size());
  FUZZ_REQUIRE(entry.find(kCrLf) == std::wstring::npos);
  FUZZ_REQUIRE(CommandText(L"", entry, L"") == command);

  // An entry as the log holds it (no CR LF) is recorded unchanged when it is delivered again.
  for (const std::wstring& stored : parts) {
    if (stored.find(kCrLf) != std::wstring::npos) continue;
    FUZZ_REQUIRE(HistoryEntry(CommandText(L"", stored, L"")) == stored);
  }
  return 0;
}
