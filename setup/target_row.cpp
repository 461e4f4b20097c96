#include "setup/target_row.h"

#include <cwchar>

namespace sendlark::setup {

std::wstring HandleText(std::uintptr_t window) {
  wchar_t text[32];
  std::swprintf(text, std::size(text), L"0x%llX", static_cast<unsigned long long>(window));
  return text;
}

std::wstring PasteColumn(const TargetRow& row, const SetupTexts& texts) {
  if (!row.paste) return texts.pasteNone;
  std::wstring text = std::to_wstring(row.paste->id);
  if (row.paste->byShortcut) text += std::wstring(L" ") + texts.pasteByShortcut;
  if (row.pasteFromProgramFile) text += std::wstring(L" ") + texts.pasteFromFile;
  return text;
}

std::wstring RowStatus(const TargetRow& row, const SetupTexts& texts) {
  if (!row.paste) return Fill(texts.statusNoPaste, {row.title});
  const wchar_t* pattern = row.pasteFromProgramFile ? texts.statusPasteFromFile
                           : row.paste->byShortcut  ? texts.statusPasteByShortcut
                                                    : texts.statusPaste;
  return Fill(pattern, {row.title, std::to_wstring(row.paste->id)});
}

}  // namespace sendlark::setup
