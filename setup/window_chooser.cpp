#include "setup/window_chooser.h"

#include <algorithm>

namespace sendlark::setup {

namespace {

ListedWindow Listing(const TargetRow& row, const SetupTexts& texts) {
  ListedWindow listed;
  listed.window = row.window;
  listed.title = row.title;
  listed.className = row.className;
  listed.program = row.program;
  listed.paste = PasteColumn(row, texts);
  listed.handle = HandleText(row.window);
  if (row.paste) listed.pasteId = row.paste->id;
  listed.status = RowStatus(row, texts);
  return listed;
}

}  // namespace

SetupWindowTexts WindowTexts(const SetupTexts& texts) {
  return {texts.title,
          texts.columnTitle,
          texts.columnClass,
          texts.columnProgram,
          texts.columnPaste,
          texts.columnWindow,
          texts.pasteLabel,
          texts.refresh,
          texts.send,
          texts.save,
          [pattern = texts.statusListed](std::size_t count) {
            return Fill(pattern, {std::to_wstring(count)});
          }};
}

std::vector<ListedWindow> WindowChooser::ListWindows() {
  rows_ = TargetRowsOf(listWindows_());
  std::vector<ListedWindow> listed;
  listed.reserve(rows_.size());
  for (const TargetRow& row : rows_)
    listed.push_back(Listing(row, texts_));
  return listed;
}

// A copy: the message boxes that saving or sending may show run their own message loops.
std::optional<TargetRow> WindowChooser::Listed(std::uintptr_t window) const {
  const auto found = std::find_if(rows_.begin(), rows_.end(),
                                  [&](const TargetRow& row) { return row.window == window; });
  if (window == 0 || found == rows_.end()) return std::nullopt;
  return *found;
}

std::wstring WindowChooser::Save(std::uintptr_t window, const std::wstring& pasteText) {
  const std::optional<TargetRow> row = Listed(window);
  return actions_.Save(row ? &*row : nullptr, pasteText);
}

std::wstring WindowChooser::SendTestText(std::uintptr_t window, const std::wstring& pasteText) {
  const std::optional<TargetRow> row = Listed(window);
  return actions_.SendTestText(row ? &*row : nullptr, pasteText);
}

}  // namespace sendlark::setup
