#include "app/popup_menu.h"

#include <gtest/gtest.h>

#include "app/frm_drag.h"
#include "tests/fake/fake_platform.h"

namespace sendlark::testing {
namespace {

// One line per entry: "-" for a separator; an entry of a menu array by its caption and id, any
// other by its id alone (its caption is one of the program's fixed texts); "(off)" when
// disabled; a submenu's entries follow indented.
void Describe(const std::vector<MenuEntry>& entries, const std::string& indent,
              std::vector<std::string>& lines) {
  for (const MenuEntry& entry : entries) {
    if (entry.separator) {
      lines.push_back(indent + "-");
      continue;
    }
    const bool arrayItem = entry.id >= kIdHistoryBase;
    lines.push_back(indent + (arrayItem ? Utf8(entry.text) + " " : "") + "#" +
                    std::to_string(entry.id) + (entry.enabled ? "" : " (off)"));
    Describe(entry.children, indent + "  ", lines);
  }
}

std::vector<std::string> Describe(const MenuState& menus) {
  std::vector<std::string> lines;
  Describe(BuildPopupMenu(menus), "", lines);
  return lines;
}

TEST(PopupMenu, AsTheWindowIsCreated) {
  EXPECT_EQ(Describe(InitialMenus()),
            (std::vector<std::string>{"#200", "#201", "#0", "  #0 (off)", "  -", "-",
                                      "-",  // the anchor of the command entries, until the
                                            // first rebuild hides it
                                      "-", "#202"}));
}

TEST(PopupMenu, ShowsVisibleEntriesInOrderWithDashesAsSeparators) {
  MenuState menus = InitialMenus();
  menus.mnu_sub_sub_log[1] = {L"newest", true};
  menus.mnu_sub_sub_log[2] = {L"", true};
  menus.mnu_sub_sub_log[3] = {L"-", true};
  menus.mnu_sub_command = {{L"-", false}, {L"a&b", true}, {L"-", true}, {L"c", true}};
  EXPECT_EQ(Describe(menus), (std::vector<std::string>{"#200", "#201", "#0", "  #0 (off)", "  -",
                                                       "  newest #301", "   #302", "  -", "-",
                                                       "a&b #1001", "-", "c #1003", "-", "#202"}));
}

TEST(PopupMenu, LongCaptionsAreShownCutWithoutSplittingACharacter) {
  const std::wstring pair = {wchar_t{0xD83D}, wchar_t{0xDE00}};  // one character in UTF-16
  const struct {
    std::wstring caption;
    std::wstring shown;
  } cases[] = {
      {std::wstring(200, L'x'), std::wstring(200, L'x')},
      {std::wstring(201, L'x'), std::wstring(199, L'x') + L"…"},
      {std::wstring(10'000'000, L'x'), std::wstring(199, L'x') + L"…"},
      {std::wstring(198, L'x') + pair + L"y", std::wstring(198, L'x') + L"…"},
      {std::wstring(197, L'x') + pair + L"yz", std::wstring(197, L'x') + pair + L"…"},
  };
  for (const auto& c : cases) {
    MenuState menus = InitialMenus();
    menus.mnu_sub_sub_log[1] = {c.caption, true};
    menus.mnu_sub_command = {{L"-", false}, {c.caption, true}};
    const std::vector<MenuEntry> entries = BuildPopupMenu(menus);
    EXPECT_EQ(entries[2].children[2].text, c.shown) << c.caption.size();
    EXPECT_EQ(entries[4].text, c.shown) << c.caption.size();
  }
}

TEST(PopupMenu, AVeryLongCommandListIsShownInGroupsOfAThousand) {
  MenuState menus = InitialMenus();
  menus.mnu_sub_command[0].visible = false;
  for (int k = 1; k <= 2500; ++k)
    menus.mnu_sub_command.push_back({std::to_wstring(k), true});
  const std::vector<MenuEntry> entries = BuildPopupMenu(menus);
  // refresh, resend, history, separator, three groups, separator, end
  ASSERT_EQ(entries.size(), 9u);
  const char* captions[] = {"1 - 1000", "1001 - 2000", "2001 - 2500"};
  const std::size_t sizes[] = {1000, 1000, 500};
  for (int g = 0; g < 3; ++g) {
    const MenuEntry& group = entries[4 + g];
    EXPECT_EQ(Utf8(group.text), captions[g]);
    ASSERT_EQ(group.children.size(), sizes[g]);
    EXPECT_EQ(group.children.front().id, kIdCommandBase + 1 + 1000 * g);
    EXPECT_EQ(Utf8(group.children.front().text), std::to_string(1 + 1000 * g));
  }
  EXPECT_TRUE(entries[7].separator);
}

TEST(PopupMenu, AThousandCommandsStayInTheMenuItself) {
  MenuState menus = InitialMenus();
  menus.mnu_sub_command[0].visible = false;
  for (int k = 1; k <= 1000; ++k)
    menus.mnu_sub_command.push_back({L"c", true});
  EXPECT_EQ(BuildPopupMenu(menus).size(), 4u + 1000u + 2u);
}

}  // namespace
}  // namespace sendlark::testing
