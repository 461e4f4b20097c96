#include "delivery/command_text.h"

#include "config/text_util.h"

namespace sendlark {

std::wstring CommandText(const std::wstring& header, const std::wstring& text,
                         const std::wstring& footer) {
  return ReplaceAll(header + text + footer, L"\\n", kCrLf);
}

std::wstring HistoryEntry(const std::wstring& commandText) {
  return ReplaceAll(commandText, kCrLf, L"\\n");
}

}  // namespace sendlark
