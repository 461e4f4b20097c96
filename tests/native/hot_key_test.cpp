#include "config/hot_key.h"

#include <gtest/gtest.h>

#include <vector>

namespace sendlark {
namespace {

struct HotKeyCase {
  const wchar_t* text;
  HotKeySetting expected;
};

class ParseHotKeyTest : public ::testing::TestWithParam<HotKeyCase> {};

TEST_P(ParseHotKeyTest, ReadsModifiersThenOneKeyOrTellsWhatIsWrong) {
  EXPECT_EQ(ParseHotKey(GetParam().text), GetParam().expected)
      << ::testing::PrintToString(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, ParseHotKeyTest,
                         ::testing::ValuesIn(std::vector<HotKeyCase>{
                             {L" \t\x3000",
                              std::monostate{}},  // blanks only, the ideographic one too: none
                             {L" alt +cTRL+ s\x3000", HotKey{kModControl | kModAlt, 'S'}},
                             {L"Alt+f24", HotKey{kModAlt, 0x87}},
                             {L"Shift+Page Up", HotKey{kModShift, 0x21}},
                             {L"Win+Shift+Pause", HotKey{kModWin | kModShift, 0x13}},
                             {L"S", HotKeyFault::NoModifier},
                             {L"Ctrl+Alt", HotKeyFault::NotAKey},
                             {L"Ctrl+F25", HotKeyFault::NotAKey},
                             {L"Ctrl+\xFF33", HotKeyFault::NotAKey},  // a full-width S
                             {L"Ctrl+S+T", HotKeyFault::NotAModifier},
                             {L"Ctrl++S", HotKeyFault::NotAModifier},
                         }));

// Held as the hot key, the paste keys that Sendlark presses would open its own menu, and copy,
// cut and paste would be taken from every other program. Their neighbours are like any other.
TEST(ClipboardShortcutTest, IsRefusedAsTheHotKeyAndItsNeighboursAreNot) {
  for (const wchar_t* text : {L"Ctrl+C", L"ctrl + x", L"CTRL+V", L"Ctrl+Insert", L"Shift+Insert",
                              L"Shift+Delete", L"Shift+Ctrl+V"}) {
    EXPECT_EQ(ParseHotKey(text), HotKeySetting(HotKeyFault::ClipboardShortcut))
        << ::testing::PrintToString(text);
  }
  for (const wchar_t* text :
       {L"Ctrl+Alt+V", L"Ctrl+Shift+C", L"Alt+Insert", L"Ctrl+Delete", L"Shift+V", L"Win+V"}) {
    EXPECT_TRUE(std::holds_alternative<HotKey>(ParseHotKey(text)))
        << ::testing::PrintToString(text);
  }
}

}  // namespace
}  // namespace sendlark
