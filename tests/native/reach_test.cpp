// The optional keys of Config.ini, which window is the target under each title mode, and which
// paste route a Config.ini value names.
#include <gtest/gtest.h>

#include "config/options.h"
#include "delivery/send_command.h"
#include "tests/fake/fake_platform.h"

namespace sendlark::testing {
namespace {

struct OptionsCase {
  const char* name;
  std::wstring config;
  TitleMatch match;
  bool restore;
  std::wstring unusable;  // the first unusable value, as the reason names it
};

class ReadOptionsTest : public ::testing::TestWithParam<OptionsCase> {};

// A Config.ini without the keys, or with them empty, behaves as it always did; any value not
// meant for a key makes every delivery fail rather than guess what the user meant.
TEST_P(ReadOptionsTest, ParsesEachKeyOrNamesTheValueThatCannotBeUsed) {
  const OptionsCase& c = GetParam();
  const Options options = ReadOptions(c.config, UpperCase);
  EXPECT_EQ(options.titleMatch, c.match);
  EXPECT_EQ(options.restoreClipboard, c.restore);
  EXPECT_EQ(Utf8(options.unusable), c.unusable.empty() ? "" : Utf8(c.unusable));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ReadOptionsTest,
    ::testing::Values(
        OptionsCase{"Missing", L":AppliactionName=x;", TitleMatch::Exact, false, L""},
        OptionsCase{"Empty", L":TitleMatch=;:RestoreClipboard=;", TitleMatch::Exact, false, L""},
        OptionsCase{"Begins", L":TitleMatch=begins;", TitleMatch::Begins, false, L""},
        OptionsCase{"ContainsInAnyCaseWithBlanks", L":titlematch= Contains\x3000\r\n;",
                    TitleMatch::Contains, false, L""},
        OptionsCase{"Any", L":TitleMatch=ANY;", TitleMatch::Any, false, L""},
        OptionsCase{"Exact", L":TitleMatch=exact;", TitleMatch::Exact, false, L""},
        OptionsCase{"RestoreOn", L":RestoreClipboard=1;", TitleMatch::Exact, true, L""},
        OptionsCase{"RestoreOnAmongIdeographicSpaces", L":RestoreClipboard=\x3000 1\x3000;",
                    TitleMatch::Exact, true, L""},
        OptionsCase{"UnknownMode", L":TitleMatch=prefix;", TitleMatch::Exact, false,
                    UnusableValueText(kTitleMatchKey, L"prefix")},
        OptionsCase{"UnknownRestore", L":RestoreClipboard=yes;", TitleMatch::Exact, false,
                    UnusableValueText(kRestoreClipboardKey, L"yes")}),
    [](const ::testing::TestParamInfo<OptionsCase>& info) { return info.param.name; });

struct MatchCase {
  const char* name;
  TitleMatch match;
  std::wstring wanted;
  WindowRef target;  // of the windows below, nearest the top first; 0 for none
};

class TitleMatchTest : public ::testing::TestWithParam<MatchCase> {};

// Several may match: the one the user had in front last is fed. Letter case never counts.
TEST_P(TitleMatchTest, FeedsTheFrontmostWindowWhoseTitleMatches) {
  const std::vector<TargetWindow> windows = {
      {1, 40, L"notes.txt - Notepad"}, {2, 41, L"Untitled - Notepad"}, {3, 42, L""}};
  const MatchCase& c = GetParam();
  EXPECT_EQ(FirstMatch(windows, c.match, c.wanted, UpperCase).window, c.target);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, TitleMatchTest,
    ::testing::Values(MatchCase{"ExactWholeTitle", TitleMatch::Exact, L"untitled - notepad", 2},
                      MatchCase{"ExactNotAPart", TitleMatch::Exact, L"Untitled", 0},
                      MatchCase{"ExactEmptyOnlyEmpty", TitleMatch::Exact, L"", 3},
                      MatchCase{"BeginsWith", TitleMatch::Begins, L"UNTITLED", 2},
                      MatchCase{"BeginsNotInside", TitleMatch::Begins, L"Notepad", 0},
                      MatchCase{"ContainsFrontmostOfTwo", TitleMatch::Contains, L"- notepad", 1},
                      MatchCase{"ContainsNone", TitleMatch::Contains, L"WordPad", 0},
                      MatchCase{"AnyTakesTheFrontmost", TitleMatch::Any, L"WordPad", 1}),
    [](const ::testing::TestParamInfo<MatchCase>& info) { return info.param.name; });

struct RouteCase {
  const char* name;
  std::wstring text;
  PasteRoute route;
  std::int32_t id;
  const wchar_t* error;
};

class ReadPasteTest : public FakePlatformTest, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(ReadPasteTest, TakesANumberOrAWordAndNothingElse) {
  const RouteCase& c = GetParam();
  const PasteId paste = ReadPaste(c.text);
  EXPECT_EQ(paste.route, c.route);
  EXPECT_EQ(paste.id, c.id);
  EXPECT_EQ(paste.error.value_or(L""), c.error != nullptr ? c.error : L"");
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReadPasteTest,
    ::testing::Values(
        RouteCase{"Number", L"770", PasteRoute::Command, 770, nullptr},
        RouteCase{"Message", L"WM_PASTE", PasteRoute::Message, 0, nullptr},
        RouteCase{"MessageAnyCaseAndBlanks", L" wm_Paste\t", PasteRoute::Message, 0, nullptr},
        RouteCase{"CtrlV", L"ctrl+v", PasteRoute::CtrlV, 0, nullptr},
        RouteCase{"ShiftInsert", L"SHIFT+INSERT\r\n", PasteRoute::ShiftInsert, 0, nullptr},
        RouteCase{"CtrlShiftV", L"Ctrl+Shift+v", PasteRoute::CtrlShiftV, 0, nullptr},
        RouteCase{"OtherShortcut", L"Alt+V", PasteRoute::Command, 0, kNotANumberText},
        RouteCase{"BlanksInsideTheWord", L"Ctrl + V", PasteRoute::Command, 0, kNotANumberText},
        RouteCase{"Empty", L"", PasteRoute::Command, 0, kNotANumberText}),
    [](const ::testing::TestParamInfo<RouteCase>& info) { return info.param.name; });

}  // namespace
}  // namespace sendlark::testing
