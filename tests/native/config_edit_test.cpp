#include "setup/config_edit.h"

#include <gtest/gtest.h>

#include "tests/fake/fake_platform.h"

namespace sendlark::setup {
namespace {

using testing::UpperCase;
using testing::Utf8;
using Reason = SaveRefusalReason;

const std::wstring kPath = L":AppliactionPath";
const std::wstring kName = L":AppliactionName";
const std::wstring kClass = L":AppliactionClass";
const std::wstring kPast = L":AppliactionPast";

struct SaveCase {
  const char* name;
  std::wstring text;
  std::vector<ConfigEdit> edits;
  std::wstring expected;
};

class SaveTest : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveTest, WritesOnlyTheEntries) {
  const SaveCase& c = GetParam();
  const SavedConfig saved = SaveConfigValues(c.text, c.edits, UpperCase);
  ASSERT_FALSE(saved.refusal) << static_cast<int>(saved.refusal->reason);
  EXPECT_EQ(Utf8(saved.text), Utf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Files, SaveTest,
    ::testing::Values(
        SaveCase{
            "InPlace",
            L":AppliactionPath=C:\\Windows\\Notepad.exe;\r\n:AppliactionName=無題 - メモ帳;\r\n"
            L":AppliactionPast=770;\r\n",
            {{kName, L"Untitled - Editor"}, {kPast, L"57637"}},
            L":AppliactionPath=C:\\Windows\\Notepad.exe;\r\n:AppliactionName=Untitled - "
            L"Editor;\r\n:AppliactionPast=57637;\r\n"},
        SaveCase{"SeveralEntriesOnOneLine",
                 L":AppliactionClass=A;:AppliactionName=B; then a note\r\n",
                 {{kName, L"New"}, {kClass, L""}},
                 L":AppliactionClass=;:AppliactionName=New; then a note\r\n"},
        SaveCase{"EntryInsideANote",
                 L"Use :AppliactionPast=770; (the Edit menu's) for notepad\r\n",
                 {{kPast, L"12"}},
                 L"Use :AppliactionPast=12; (the Edit menu's) for notepad\r\n"},
        SaveCase{"OnlyTheFirstOfRepeatedKeys",
                 L":appliactionpast=1;\r\n:AppliactionPast=2;\r\n",
                 {{kPast, L"3"}},
                 L":appliactionpast=3;\r\n:AppliactionPast=2;\r\n"},
        // The key's first occurrence ends at the note's ";" before any "=": Sendlark reads no
        // value, so the new entry goes before that line.
        SaveCase{"NoteMentionsKeyBeforeItsEntry",
                 L"[x]\r\nSet :AppliactionPast; below.\r\n:AppliactionPast=770;\r\n",
                 {{kPast, L"12"}},
                 L"[x]\r\n:AppliactionPast=12;\r\nSet :AppliactionPast; below.\r\n"
                 L":AppliactionPast=770;\r\n"},
        SaveCase{"TwoKeysInOneNote",
                 L"a\rName :AppliactionName and :AppliactionClass here",
                 {{kClass, L"C"}, {kName, L"N"}},
                 L"a\r:AppliactionClass=C;\r\n:AppliactionName=N;\r\nName :AppliactionName and "
                 L":AppliactionClass here"},
        SaveCase{"CrOnlyLines",
                 L":AppliactionName=a;\r:AppliactionPast=1;\r",
                 {{kPast, L"2"}, {kClass, L"C"}},
                 L":AppliactionName=a;\r:AppliactionPast=2;\r:AppliactionClass=C;\r\n"},
        SaveCase{"LfOnlyLines",
                 L":AppliactionName=a;\n",
                 {{kClass, L"C"}},
                 L":AppliactionName=a;\n:AppliactionClass=C;\r\n"},
        SaveCase{"NoFinalLineEnd",
                 L":AppliactionPast=1; end",
                 {{kClass, L"C"}, {kName, L"N"}},
                 L":AppliactionPast=1; end\r\n:AppliactionClass=C;\r\n:AppliactionName=N;\r\n"},
        SaveCase{
            "EmptyFile",
            L"",
            {{kPath, L"C:\\Program Files\\Tool\\tool.exe"}, {kPast, L"770"}},
            L":AppliactionPath=C:\\Program Files\\Tool\\tool.exe;\r\n:AppliactionPast=770;\r\n"},
        SaveCase{"LineBreaksAndSemicolonsEscaped",
                 L":AppliactionName=x;\r\n",
                 {{kName, L"a; b\r\nc;  d\\\r\n"}},
                 L":AppliactionName=a\\;b\\nc\\; d\\\\n;\r\n"},
        // Sendlark finds the key in ":X"'s value, where "\;" reads as "\:".
        SaveCase{"KeyAfterEscapedSemicolon",
                 L":X=a\\;AppliactionPast=5;\r\n",
                 {{kPast, L"6"}},
                 L":X=a\\;AppliactionPast=6;\r\n"}),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return info.param.name; });

struct RefusalCase {
  const char* name;
  std::wstring text;
  std::vector<ConfigEdit> edits;
  Reason reason;
  std::wstring key;
};

class RefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, SaysWhy) {
  const RefusalCase& c = GetParam();
  const SavedConfig saved = SaveConfigValues(c.text, c.edits, UpperCase);
  ASSERT_TRUE(saved.refusal) << Utf8(saved.text);
  EXPECT_EQ(saved.refusal->reason, c.reason);
  EXPECT_EQ(Utf8(saved.refusal->key), Utf8(c.key));
  EXPECT_EQ(saved.text, L"");
}

const std::wstring kFourKeys =
    L":AppliactionName=x;\r\n:AppliactionClass=y;\r\n:AppliactionPath=p;\r\n:AppliactionPast=1;";

INSTANTIATE_TEST_SUITE_P(
    Files, RefusalTest,
    ::testing::Values(
        RefusalCase{
            "SemicolonInTitle", kFourKeys, {{kName, L"a;b"}}, Reason::kBareSemicolon, kName},
        RefusalCase{"LineBreakEscapeInPath",
                    kFourKeys,
                    {{kPath, L"C:\\new\\x.exe"}},
                    Reason::kBackslashEscape,
                    kPath},
        RefusalCase{"BackslashBeforeEscapedSemicolon",
                    kFourKeys,
                    {{kName, L"a\\; b"}},
                    Reason::kBackslashEscape,
                    kName},
        RefusalCase{"TrailingBackslash",
                    kFourKeys,
                    {{kPath, L"C:\\Tools\\"}},
                    Reason::kTrailingBackslash,
                    kPath},
        RefusalCase{"LoneCr", kFourKeys, {{kName, L"a\rb"}}, Reason::kLoneCr, kName},
        RefusalCase{"KeyTwice",
                    kFourKeys,
                    {{kPast, L"1"}, {L":APPLIACTIONPAST", L"2"}},
                    Reason::kUnusableKey,
                    L":APPLIACTIONPAST"},
        // The value read back would be right, but from the wrong entry.
        RefusalCase{"ValueHoldsALaterEntrysKey",
                    kFourKeys,
                    {{kName, L":AppliactionClass=z"}, {kClass, L"z"}},
                    Reason::kNotReadBack,
                    kClass},
        RefusalCase{"ValueHoldsAnAddedKey",
                    L"",
                    {{kName, L"see :AppliactionClass"}, {kClass, L"C"}},
                    Reason::kNotReadBack,
                    kClass},
        RefusalCase{"ValueRunsIntoTheNextEntry",
                    L":AppliactionName=x\r\n:AppliactionClass=y;\r\n",
                    {{kName, L"N"}, {kClass, L"C"}},
                    Reason::kEntriesOverlap,
                    kClass},
        RefusalCase{"AddedAfterAnUnfinishedEntry",
                    L":CommandFooter=end\r\n",
                    {{kPast, L"770"}},
                    Reason::kOtherSettingChanged,
                    L":CommandFooter"},
        RefusalCase{"ValueHoldsAnotherSettingsKey",
                    kFourKeys,
                    {{kName, L"x :LogFileName=log"}},
                    Reason::kOtherSettingChanged,
                    L":LogFileName"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

}  // namespace
}  // namespace sendlark::setup
