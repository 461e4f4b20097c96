#include "app/popup_menu.h"

#include <string>

#include "app/command_ids.h"
#include "app/texts.h"

namespace sendlark {

const std::array<Accelerator, 3> kAccelerators = {{
    {L'R', kIdRefresh},
    {L'Z', kIdReplay},
    {L'Q', kIdEnd},
}};

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

// A caption of a single "-" makes an item a separator line, which cannot be chosen.
MenuEntry ItemEntry(int id, const std::wstring& caption) {
  return caption == L"-" ? Separator() : Command(id, caption);
}

std::wstring WithShortcut(const wchar_t* caption, wchar_t key) {
  return std::wstring(caption) + L"\tCtrl+" + key;
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

}  // namespace

std::vector<MenuEntry> BuildPopupMenu(const MenuState& menus) {
  std::vector<MenuEntry> entries;
  entries.push_back(Command(kIdRefresh, WithShortcut(kMenuRefreshCaption, L'R')));
  entries.push_back(Command(kIdReplay, WithShortcut(kMenuReplayCaption, L'Z')));
  entries.push_back(HistorySubmenu(menus));
  entries.push_back(Separator());
  for (std::size_t k = 0; k < menus.mnu_sub_command.size(); ++k) {
    const MenuItem& item = menus.mnu_sub_command[k];
    if (item.visible) {
      entries.push_back(ItemEntry(kIdCommandBase + static_cast<int>(k), item.caption));
    }
  }
  entries.push_back(Separator());
  entries.push_back(Command(kIdEnd, WithShortcut(kMenuEndCaption, L'Q')));
  return entries;
}

}  // namespace sendlark
