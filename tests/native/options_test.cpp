#include "config/options.h"

#include <gtest/gtest.h>

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
        OptionsCase{"ContainsInAnyCaseWithBlanks", L":titlematch= Contains\r\n;",
                    TitleMatch::Contains, false, L""},
        OptionsCase{"Any", L":TitleMatch=ANY;", TitleMatch::Any, false, L""},
        OptionsCase{"Exact", L":TitleMatch=exact;", TitleMatch::Exact, false, L""},
        OptionsCase{"RestoreOn", L":RestoreClipboard=1;", TitleMatch::Exact, true, L""},
        OptionsCase{"RestoreOff", L":RestoreClipboard= 0 ;", TitleMatch::Exact, false, L""},
        OptionsCase{"UnknownMode", L":TitleMatch=prefix;", TitleMatch::Exact, false,
                    UnusableValueText(kTitleMatchKey, L"prefix")},
        OptionsCase{"UnknownRestore", L":RestoreClipboard=yes;", TitleMatch::Exact, false,
                    UnusableValueText(kRestoreClipboardKey, L"yes")}),
    [](const ::testing::TestParamInfo<OptionsCase>& info) { return info.param.name; });

}  // namespace
}  // namespace sendlark::testing
