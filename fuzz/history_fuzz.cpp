// The history kept in step with its log file: any log file, then a series of UpdateHistory
// calls, each checked against the history's rules.
//
// Input: one byte for the code page (even 1252, odd 932), then parts separated by NUL bytes:
// the log file's bytes, then one part per call, whose first byte is the mode (its value
// modulo 4, so that modes other than add and refresh occur) and whose rest is the delivered
// item: in UTF-8 when the mode byte's top bit is set, so that any character occurs, otherwise
// in the code page.

#include <cstdint>

#include "config/fields.h"
#include "config/file_io.h"
#include "config/text_encoding.h"
#include "config/text_util.h"
#include "delivery/command_text.h"
#include "fuzz/fuzz_support.h"
#include "menus/history.h"
#include "state/program_state.h"

namespace sendlark::fuzzing {
namespace {

constexpr wchar_t kLogFile[] = L"log.txt";
constexpr std::size_t kMostCalls = 12;

bool SameItem(const MenuItem& a, const MenuItem& b) {
  return a.caption == b.caption && a.visible == b.visible;
}

void CheckUpdate(testing::FakePlatform& sys, int mode, const std::wstring& entry) {
  const std::string fileBefore = sys.ReadFile(kLogFile);
  const MenuState menusBefore = g_program.menus;
  std::wstring logText;
  FileIO(Read, logText, kLogFile);

  // The entries in order: the new one in add mode, then the lines of the file up to the first
  // empty one, ten in all.
  std::vector<std::wstring> entries;
  if (mode == Add) entries.push_back(entry);
  for (int n = 1; entries.size() < kHistorySize; ++n) {
    std::wstring line = GetField(logText, n, std::wstring(kCrLf), testing::UpperCase);
    if (line.empty()) break;
    entries.push_back(std::move(line));
  }

  UpdateHistory(mode, entry);

  // Item k shows entry k; the items beyond the entries keep what they showed, since the
  // history never hides an item.
  FUZZ_REQUIRE(SameItem(mnu_sub_sub_log[0], menusBefore.mnu_sub_sub_log[0]));
  std::wstring kept;
  for (std::size_t k = 1; k <= kHistorySize; ++k) {
    const MenuItem& item = mnu_sub_sub_log[k];
    if (k > entries.size()) {
      FUZZ_REQUIRE(SameItem(item, menusBefore.mnu_sub_sub_log[k]));
      continue;
    }
    FUZZ_REQUIRE(item.visible && item.caption == entries[k - 1]);
    if (!item.caption.empty()) kept += item.caption + std::wstring(kCrLf);
  }
  // The file holds the non-empty entries shown; with none it is left as it was.
  const std::string fileAfter = sys.ReadFile(kLogFile);
  if (kept.empty()) {
    FUZZ_REQUIRE(fileAfter == fileBefore);
    return;
  }
  // Read back, it gives every entry as delivered, whatever its characters and the code page
  // (a lone CR ends a line on reading, as ever).
  std::wstring readBack;
  FileIO(Read, readBack, kLogFile);
  FUZZ_REQUIRE(readBack == TextLines(kept));
  // A log in the ANSI code page whose entries all fit stays in it, byte for byte.
  const std::optional<std::string> ansi = sys.ToAnsi(kept);
  if (DetectEncoding(fileBefore) == FileEncoding::Ansi && ansi &&
      DetectEncoding(*ansi) == FileEncoding::Ansi && sys.FromAnsi(*ansi) == kept) {
    FUZZ_REQUIRE(fileAfter == *ansi);
  }
}

}  // namespace
}  // namespace sendlark::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sendlark;
  using namespace sendlark::fuzzing;
  if (size == 0) return 0;
  sendlark::testing::FakePlatform& sys = FakeSystem(data[0] % 2 == 0 ? "CP1252" : "CP932");
  const std::vector<std::string_view> parts = Split(Bytes(data + 1, size - 1), '\0');

  g_settings[LogFileName] = kLogFile;
  sys.WriteFile(kLogFile, std::string(parts[0]));
  for (std::size_t call = 1; call < parts.size() && call <= kMostCalls; ++call) {
    const std::string_view part = parts[call];
    const unsigned char modeByte = part.empty() ? Refresh : static_cast<unsigned char>(part[0]);
    const std::string item(part.empty() ? part : part.substr(1));
    const std::wstring text =
        (modeByte & 0x80) != 0 ? DecodeUnicode(item, FileEncoding::Utf8) : sys.FromAnsi(item);
    // As a delivery records it: the item's line breaks written as "\n".
    CheckUpdate(sys, modeByte % 4, HistoryEntry(text));
  }
  return 0;
}
