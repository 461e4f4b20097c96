// One window that could be Sendlark's target, as the setup program lists it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_facts.h"
#include "setup/paste_command.h"
#include "setup/setup_texts.h"

namespace sendlark::setup {

struct TargetRow {
  std::uintptr_t window = 0;  // the window's handle
  std::wstring title;
  std::wstring className;
  std::wstring program;  // the full path of its program file; empty when the system refused it
  std::optional<PasteCommand> paste;
  // Found in the menu resources of the program file, since its own menus could not be read.
  bool pasteFromProgramFile = false;
};

// The window as the system describes it, with its paste command: the first in its menu bar and
// system menu, or failing that, when its menu bar is missing, empty or unreadable, the first in
// the menus of its program file.
TargetRow TargetRowOf(const WindowFacts& facts);
std::vector<TargetRow> TargetRowsOf(const std::vector<WindowFacts>& windows);

// The handle as "0x" and upper-case hexadecimal digits.
std::wstring HandleText(std::uintptr_t window);

// What the paste column shows: "275", "275 (Ctrl+V)", "275 (from the program file)", or that
// there is no paste command.
std::wstring PasteColumn(const TargetRow& row, const SetupTexts& texts);

// The status line for a chosen window: its paste command and where it was found, or that
// Sendlark cannot feed it.
std::wstring RowStatus(const TargetRow& row, const SetupTexts& texts);

}  // namespace sendlark::setup
