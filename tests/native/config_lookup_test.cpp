#include "config/config_lookup.h"

#include <gtest/gtest.h>

#include "tests/fake/fake_platform.h"

namespace sendlark::testing {
namespace {

struct LookupCase {
  const char* name;
  std::wstring text;
  std::wstring key;
  std::wstring expected;
};

class GetConfigValueTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(GetConfigValueTest, GivesTheValue) {
  const LookupCase& c = GetParam();
  EXPECT_EQ(Utf8(GetConfigValue(c.text, c.key, UpperCase)), Utf8(c.expected));
}

const wchar_t kPast[] = L":AppliactionPast";

INSTANTIATE_TEST_SUITE_P(
    Lookup, GetConfigValueTest,
    ::testing::Values(
        LookupCase{"Plain", L":AppliactionPast=770;\r\n", kPast, L"770"},
        LookupCase{"KeyMissing", L":AppliactionName=x;\r\n", kPast, L""},
        LookupCase{"EmptyValue", L":AppliactionPast=;\r\n", kPast, L""},
        LookupCase{"OtherLetterCase", L":APPLIACTIONPAST=12;\r\n", kPast, L"12"},
        LookupCase{"BlanksBelongToValue", L":AppliactionPast = 7\t;", kPast, L" 7\t"},
        LookupCase{"FurtherEqualsInValue", L":CommandHeader=a=b;", L":CommandHeader", L"a=b"},
        LookupCase{"ValueOverTwoLines", L":CommandHeader=a\r\nb;", L":CommandHeader", L"a\r\nb"},
        LookupCase{"EscapedSemicolon", L":CommandHeader=a\\;b;", L":CommandHeader", L"a; b"},
        LookupCase{"EscapedColon", L":CommandHeader=a\\:b;", L":CommandHeader", L"a; b"},
        LookupCase{"LineBreakEscape", L":CommandHeader=a\\nb;", L":CommandHeader", L"a\r\nb"},
        LookupCase{"CapitalNIsNoEscape", L":CommandHeader=a\\Nb;", L":CommandHeader", L"a\\Nb"},
        LookupCase{"LineBreakInPath", L":AppliactionPath=C:\\new\\Notes\\x.exe;",
                   L":AppliactionPath", L"C:\r\new\\Notes\\x.exe"},
        LookupCase{"BackslashBackslashSemicolon", L":CommandHeader=a\\\\;b;", L":CommandHeader",
                   L"a\\; b"},
        LookupCase{"MissingSemicolonRunsOn", L":CommandHeader=a\r\n:CommandFooter=b;",
                   L":CommandHeader", L"a\r\n:CommandFooter=b"},
        LookupCase{"NoSemicolonAtAll", L":CommandHeader=abc", L":CommandHeader", L""},
        LookupCase{"MissingEquals", L":CommandHeader abc;\r\n:CommandFooter=x;", L":CommandHeader",
                   L""},
        LookupCase{"FirstOccurrenceInANoteWins",
                   L"set :CommandHeader below; then\r\n:CommandHeader=real;", L":CommandHeader",
                   L""},
        LookupCase{"NoteBeforeTheEquals", L"note :CommandHeader here\r\n=x;", L":CommandHeader",
                   L"x"},
        LookupCase{"LongerKeyIsFound", L":AppliactionPaste=275;", kPast, L"275"},
        LookupCase{"EscapedSemicolonBeforeKeyName", L":X=a\\;LogFileName=log.txt;", L":LogFileName",
                   L"log.txt"},
        LookupCase{"FirstOfTwoEntries", L":LogFileName=a;:LogFileName=b;", L":LogFileName", L"a"},
        LookupCase{"JapaneseValue", L":CommandHeader=表示\\n;", L":CommandHeader", L"表示\r\n"},
        LookupCase{"EmptyText", L"", kPast, L""}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return info.param.name; });

}  // namespace
}  // namespace sendlark::testing
