#include "setup/paste_command.h"

#include <gtest/gtest.h>

#include "tests/fake/fake_platform.h"

namespace sendlark::setup {
namespace {

struct CaptionCase {
  std::wstring caption;
  bool paste;
  bool ctrlV;
};

class CaptionTest : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionTest, IsRecognised) {
  const CaptionCase& c = GetParam();
  EXPECT_EQ(IsPasteCaption(c.caption), c.paste) << testing::Utf8(c.caption);
  EXPECT_EQ(IsCtrlVShortcut(c.caption), c.ctrlV) << testing::Utf8(c.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, CaptionTest,
    ::testing::Values(
        CaptionCase{L"&Paste\tCtrl+V", true, true},
        CaptionCase{L"貼り付け(&P)\tCtrl+V", true, true}, CaptionCase{L"PASTE", true, false},
        CaptionCase{L"\u3000P&aste... (P) ", true, false}, CaptionCase{L"貼付け(&P)…", true, false},
        CaptionCase{L"ペースト\tctrl + v", true, true},
        // Doubled, the mark is a literal "&", which is no access key.
        CaptionCase{L"Paste(&&)", false, false}, CaptionCase{L"Paste Special...", false, false},
        CaptionCase{L"形式を選択して貼り付け(&S)...", false, false},
        CaptionCase{L"Insert\tCtrl+Shift+V", false, false},
        CaptionCase{L"Insert\tShift+Ins\tCTRL+V", false, true},
        CaptionCase{L"Ctrl+V", false, false}, CaptionCase{L"", false, false}));

MenuNode Item(std::wstring caption, std::uint32_t id) {
  return {std::move(caption), id, false, {}};
}

MenuNode Popup(std::wstring caption, Menu items) {
  return {std::move(caption), 0, false, std::move(items)};
}

struct MenuCase {
  const char* name;
  Menu menuBar;
  Menu systemMenu;
  std::optional<PasteCommand> expected;
};

class FindPasteCommandTest : public ::testing::TestWithParam<MenuCase> {};

TEST_P(FindPasteCommandTest, FindsTheCommand) {
  EXPECT_EQ(FindPasteCommand(GetParam().menuBar, GetParam().systemMenu), GetParam().expected);
}

const Menu kShortcutsOnly = {Popup(
    L"&Edit",
    {Item(L"Insert\tCtrl+Shift+V", 40), Item(L"&Put\tCtrl+V", 41), Item(L"Put\tCtrl+V", 42)})};

INSTANTIATE_TEST_SUITE_P(
    Menus, FindPasteCommandTest,
    ::testing::Values(
        MenuCase{"DepthFirst",
                 {Popup(L"&Edit", {Item(L"Paste &Special...", 21),
                                   Popup(L"&More", {Item(L"&Paste", 770)}), Item(L"&Paste", 23)})},
                 {},
                 PasteCommand{770, false}},
        MenuCase{"MenuBarBeforeSystemMenu",
                 {Popup(L"編集(&E)", {Item(L"貼り付け(&P)", 5)})},
                 {Item(L"Paste", 6)},
                 PasteCommand{5, false}},
        MenuCase{"CaptionInSystemMenuBeforeShortcut",
                 kShortcutsOnly,
                 {Popup(L"&Edit", {Item(L"&Paste", 65522)})},
                 PasteCommand{65522, false}},
        MenuCase{"FirstShortcutWhenNoCaption", kShortcutsOnly, {}, PasteCommand{41, true}},
        MenuCase{"SubmenuEntriesAndSeparatorsPassedOver",
                 {Popup(L"&Paste\tCtrl+V", {Item(L"Paste &Special", 50)}),
                  MenuNode{L"&Paste\tCtrl+V", 51, true, {}}},
                 {},
                 std::nullopt},
        MenuCase{"NoMenus", {}, {}, std::nullopt}),
    [](const ::testing::TestParamInfo<MenuCase>& info) { return info.param.name; });

}  // namespace
}  // namespace sendlark::setup
