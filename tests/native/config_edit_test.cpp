#include "setup/config_edit.h"

#include <gtest/gtest.h>

#include "tests/fake/fake_platform.h"

namespace sendlark::setup {
namespace {

using Reason = SaveRefusalReason;

const std::wstring kPath = L":AppliactionPath";
const std::wstring kName = L":AppliactionName";
const std::wstring kClass = L":AppliactionClass";
const std::wstring kPast = L":AppliactionPast";

struct SaveCase {
  const char* name;
  std::wstring text;
  std::vector<ConfigEdit> edits;
  std::wstring expected;  // the whole new text, or else
  std::optional<SaveRefusal> refusal = std::nullopt;
};

class SaveTest : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveTest, WritesOnlyTheEntriesOrRefuses) {
  const SaveCase& c = GetParam();
  const SavedConfig saved = SaveConfigValues(c.text, c.edits, testing::UpperCase);
  EXPECT_EQ(testing::Utf8(saved.text), testing::Utf8(c.expected));
  ASSERT_EQ(saved.refusal.has_value(), c.refusal.has_value());
  if (!c.refusal) return;
  EXPECT_EQ(saved.refusal->reason, c.refusal->reason);
  EXPECT_EQ(testing::Utf8(saved.refusal->key), testing::Utf8(c.refusal->key));
}

const std::wstring kTwo = L":AppliactionName=x;\r\n:AppliactionClass=y;\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, SaveTest,
    ::testing::Values(
        SaveCase{"EntriesOnOneLine",
                 L":AppliactionClass=A;:AppliactionName=B; a note\r\n",
                 {{kName, L"New"}, {kClass, L""}},
                 L":AppliactionClass=;:AppliactionName=New; a note\r\n"},
        SaveCase{"EntryInsideANote",
                 L"Use :AppliactionPast=770; (Edit menu)",
                 {{kPast, L"12"}},
                 L"Use :AppliactionPast=12; (Edit menu)"},
        SaveCase{"OnlyTheFirstOfRepeatedKeys",
                 L":appliactionpast=1;\r\n:AppliactionPast=2;\r\n",
                 {{kPast, L"3"}},
                 L":appliactionpast=3;\r\n:AppliactionPast=2;\r\n"},
        // The note's ";" comes before any "=", so Sendlark reads no value at all.
        SaveCase{
            "NoteMentionsKeyFirst",
            L"[x]\r\nSet :AppliactionPast; below\r\n:AppliactionPast=7;",
            {{kPast, L"12"}},
            L"[x]\r\n:AppliactionPast=12;\r\nSet :AppliactionPast; below\r\n:AppliactionPast=7;"},
        SaveCase{"TwoKeysInOneNote",
                 L"a\rSee :AppliactionName, :AppliactionClass",
                 {{kClass, L"C"}, {kName, L"N"}},
                 L"a\r:AppliactionClass=C;\r\n:AppliactionName=N;\r\nSee :AppliactionName, "
                 L":AppliactionClass"},
        SaveCase{"CrOnlyLines",
                 L":AppliactionName=a;\r:AppliactionPast=1;\r",
                 {{kPast, L"2"}, {kClass, L"C"}},
                 L":AppliactionName=a;\r:AppliactionPast=2;\r:AppliactionClass=C;\r\n"},
        SaveCase{"NoFinalLineEnd",
                 L":AppliactionPast=1; end",
                 {{kClass, L"C"}, {kName, L"N"}},
                 L":AppliactionPast=1; end\r\n:AppliactionClass=C;\r\n:AppliactionName=N;\r\n"},
        SaveCase{"EmptyFile",
                 L"",
                 {{kPath, L"C:\\Program Files\\x.exe"}},
                 L":AppliactionPath=C:\\Program Files\\x.exe;\r\n"},
        SaveCase{"Escapes",
                 kTwo,
                 {{kName, L"a; b\r\nc;  d\\\r\n"}},
                 L":AppliactionName=a\\;b\\nc\\; d\\\\n;\r\n:AppliactionClass=y;\r\n"},
        SaveCase{"KeyTwice",
                 kTwo,
                 {{kPast, L"1"}, {L":APPLIACTIONPAST", L"2"}},
                 L"",
                 SaveRefusal{Reason::kUnusableKey, L":APPLIACTIONPAST"}},
        // Read back right, but from the wrong entry.
        SaveCase{"ValueHoldsALaterKey",
                 kTwo,
                 {{kName, L":AppliactionClass=z"}, {kClass, L"z"}},
                 L"",
                 SaveRefusal{Reason::kNotReadBack, kClass}},
        SaveCase{"ValueRunsIntoTheNextEntry",
                 L":AppliactionName=x\r\n:AppliactionClass=y;",
                 {{kName, L"N"}, {kClass, L"C"}},
                 L"",
                 SaveRefusal{Reason::kEntriesOverlap, kClass}},
        SaveCase{"AddedAfterAnUnfinishedEntry",
                 L":CommandFooter=end\r\n",
                 {{kPast, L"770"}},
                 L"",
                 SaveRefusal{Reason::kOtherSettingChanged, L":CommandFooter"}},
        SaveCase{"ValueHoldsAnotherSettingsKey",
                 kTwo,
                 {{kName, L":LogFileName=x"}},
                 L"",
                 SaveRefusal{Reason::kOtherSettingChanged, L":LogFileName"}}),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return info.param.name; });

struct ValueCase {
  std::wstring value;
  Reason reason;
};

class UnwritableValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(UnwritableValueTest, IsRefused) {
  const SavedConfig saved =
      SaveConfigValues(kTwo, {{kClass, L"C"}, {kName, GetParam().value}}, testing::UpperCase);
  ASSERT_TRUE(saved.refusal);
  EXPECT_EQ(saved.refusal->reason, GetParam().reason);
  EXPECT_EQ(saved.refusal->key, kName);
}

INSTANTIATE_TEST_SUITE_P(Values, UnwritableValueTest,
                         ::testing::Values(ValueCase{L"a;b", Reason::kBareSemicolon},
                                           ValueCase{L"a;", Reason::kBareSemicolon},
                                           ValueCase{L"C:\\new\\x.exe", Reason::kBackslashEscape},
                                           ValueCase{L"a\\:b", Reason::kBackslashEscape},
                                           ValueCase{L"a\\; b", Reason::kBackslashEscape},
                                           ValueCase{L"C:\\", Reason::kTrailingBackslash},
                                           ValueCase{L"a\rb", Reason::kLoneCr},
                                           ValueCase{L"a\r", Reason::kLoneCr}));

}  // namespace
}  // namespace sendlark::setup
