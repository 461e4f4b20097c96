// Finding a window's paste command in its menus, for the setup program to offer as
// :AppliactionPast.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/setup_window_events.h"

namespace sendlark::setup {

struct PasteCommand {
  std::uint32_t id = 0;
  bool byShortcut = false;  // found only by its Ctrl+V accelerator, not by its caption
  bool operator==(const PasteCommand&) const = default;
};

// Whether `caption` names the paste command itself, in English or Japanese: access-key marks,
// the accelerator text, a trailing access key in parentheses, a trailing ellipsis, surrounding
// blanks and ASCII letter case do not matter. "Paste Special..." is not one.
bool IsPasteCaption(std::wstring_view caption);

// Whether the accelerator text after the caption's last tab is Ctrl+V, in any letter case and
// with any blanks.
bool IsCtrlVShortcut(std::wstring_view caption);

// The paste command of a window whose menu bar and system menu are given: the first item,
// depth first through the menu bar and then the system menu, whose caption names paste; failing
// that, the first item in the same order whose accelerator is Ctrl+V. Separators and items that
// open submenus are never chosen.
std::optional<PasteCommand> FindPasteCommand(const Menu& menuBar, const Menu& systemMenu);

}  // namespace sendlark::setup
