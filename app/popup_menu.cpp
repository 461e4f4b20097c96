#include "app/popup_menu.h"

#include <algorithm>
#include <string>

#include "app/frm_drag.h"
#include "app/texts.h"
#include "config/text_util.h"

namespace sendlark {

namespace {

MenuEntry Separator() {
  MenuEntry entry;
  entry.separator = true;
  return entry;
}

MenuEntry Command(int id, std::wstring text, bool enabled = true) {
  MenuEntry entry;
  entry.id = id;
  entry.text = std::move(text);
  entry.enabled = enabled;
  return entry;
}

// A caption of a single "-" makes an item a separator line, which cannot be chosen. A history
// entry or command line may be megabytes long; nobody could read such a menu line, and the
// system would measure all of it each time the menu is drawn.
MenuEntry ItemEntry(int id, const std::wstring& caption) {
  return caption == L"-" ? Separator() : Command(id, CutToShow(caption, kMaxShownCaption));
}

// The caption of a fixed command, with its shortcut on the right.
MenuEntry CommandEntry(int id) {
  for (const MenuCommand& command : kMenuCommands) {
    if (command.id == id) {
      return Command(id, std::wstring(command.caption) + L"\tCtrl+" + command.shortcut);
    }
  }
  return Command(id, L"");
}

MenuEntry HistorySubmenu(const MenuState& menus) {
  MenuEntry submenu = Command(kIdNone, kMenuHistoryCaption);
  submenu.children.push_back(Command(kIdNone, kMenuHistoryHeading, false));
  for (int k = 0; k <= kHistorySize; ++k) {
    const MenuItem& item = menus.mnu_sub_sub_log[k];
    if (item.visible) submenu.children.push_back(ItemEntry(kIdHistoryBase + k, item.caption));
  }
  return submenu;
}

std::vector<MenuEntry> CommandEntries(const MenuState& menus) {
  std::vector<MenuEntry> entries;
  for (std::size_t k = 0; k < menus.mnu_sub_command.size(); ++k) {
    const MenuItem& item = menus.mnu_sub_command[k];
    if (item.visible) {
      entries.push_back(ItemEntry(kIdCommandBase + static_cast<int>(k), item.caption));
    }
  }
  return entries;
}

// A very long command file is shown as submenus of consecutive entries, "1 - 1000",
// "1001 - 2000" and so on: one popup of tens of thousands of entries could neither be read
// nor built in reasonable time.
void AppendInGroups(const std::vector<MenuEntry>& commands, std::vector<MenuEntry>& entries) {
  for (std::size_t first = 0; first < commands.size(); first += kCommandGroupSize) {
    const std::size_t end = std::min(first + kCommandGroupSize, commands.size());
    MenuEntry group = Command(kIdNone, std::to_wstring(first + 1) + L" - " + std::to_wstring(end));
    group.children.assign(commands.begin() + static_cast<std::ptrdiff_t>(first),
                          commands.begin() + static_cast<std::ptrdiff_t>(end));
    entries.push_back(std::move(group));
  }
}

}  // namespace

std::vector<MenuEntry> BuildPopupMenu(const MenuState& menus) {
  std::vector<MenuEntry> entries;
  entries.push_back(CommandEntry(kIdRefresh));
  entries.push_back(CommandEntry(kIdReplay));
  entries.push_back(HistorySubmenu(menus));
  entries.push_back(Separator());
  std::vector<MenuEntry> commands = CommandEntries(menus);
  if (commands.size() <= kCommandGroupSize) {
    entries.insert(entries.end(), commands.begin(), commands.end());
  } else {
    AppendInGroups(commands, entries);
  }
  entries.push_back(Separator());
  entries.push_back(CommandEntry(kIdEnd));
  return entries;
}

}  // namespace sendlark
