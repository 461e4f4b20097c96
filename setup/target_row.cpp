#include "setup/target_row.h"

#include <cwchar>

namespace sendlark::setup {

namespace {

std::optional<PasteCommand> PasteInProgramFile(const std::vector<Menu>& menus) {
  for (const Menu& menu : menus) {
    if (std::optional<PasteCommand> paste = FindPasteCommand(menu, {})) return paste;
  }
  return std::nullopt;
}

}  // namespace

TargetRow TargetRowOf(const WindowFacts& facts) {
  const Menu none;
  TargetRow row{facts.window,
                facts.title,
                facts.className,
                facts.program,
                FindPasteCommand(facts.menuBar ? *facts.menuBar : none, facts.systemMenu),
                false};
  // Wine cannot read another process's menus, and a program may set its menu bar up only
  // later; the menus it was built with usually hold the same commands.
  if (!row.paste && (!facts.menuBar || facts.menuBar->empty())) {
    row.paste = PasteInProgramFile(facts.programMenus);
    row.pasteFromProgramFile = row.paste.has_value();
  }
  return row;
}

std::vector<TargetRow> TargetRowsOf(const std::vector<WindowFacts>& windows) {
  std::vector<TargetRow> rows;
  rows.reserve(windows.size());
  for (const WindowFacts& facts : windows)
    rows.push_back(TargetRowOf(facts));
  return rows;
}

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
