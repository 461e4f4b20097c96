#include "config/fields.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/fake/fake_platform.h"

namespace sendlark::testing {
namespace {

struct FieldCase {
  const char* name;
  std::wstring text;
  int n;
  std::wstring expected;
  std::wstring delimiter = L"\r\n";
};

class GetFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(GetFieldTest, GivesTheField) {
  const FieldCase& c = GetParam();
  EXPECT_EQ(Utf8(GetField(c.text, c.n, c.delimiter, UpperCase)), Utf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, GetFieldTest,
    ::testing::Values(FieldCase{"FirstLine", L"A\r\nB\r\n", 1, L"A"},
                      FieldCase{"SecondLine", L"A\r\nB\r\n", 2, L"B"},
                      FieldCase{"AfterLastDelimiter", L"A\r\nB\r\n", 3, L""},
                      FieldCase{"BeyondTheFields", L"A\r\nB\r\n", 4, L""},
                      FieldCase{"FieldZero", L"A\r\nB\r\n", 0, L""},
                      FieldCase{"Negative", L"A\r\nB\r\n", -1, L""},
                      FieldCase{"NoFinalLineEnd", L"A\r\nB", 2, L"B"},
                      FieldCase{"NoFinalLineEndThenNothing", L"A\r\nB", 3, L""},
                      FieldCase{"NoDelimiterWholeText", L"a b \"c\"", 1, L"a b \"c\""},
                      FieldCase{"NoDelimiterSecond", L"abc", 2, L""},
                      FieldCase{"EmptyText", L"", 1, L""},
                      FieldCase{"EmptyLineBetween", L"A\r\n\r\nB", 2, L""},
                      FieldCase{"AfterEmptyLine", L"A\r\n\r\nB", 3, L"B"},
                      FieldCase{"LeadingLineEnd", L"\r\nA", 1, L""},
                      FieldCase{"LoneCrAndLfStay", L"a\rb\nc\r\nd", 1, L"a\rb\nc"},
                      FieldCase{"CommaDropsCrLf", L"x,y\r\nz", 2, L"yz", L","},
                      FieldCase{"CommaFirst", L"x,y\r\nz", 1, L"x", L","},
                      // Only a match in another letter case: one field, with CR LF removed.
                      FieldCase{"CaseOnlyMatch", L"aXb\r\nc", 1, L"aXbc", L"x"},
                      FieldCase{"NoMatchKeepsCrLf", L"ab\r\nc", 1, L"ab\r\nc", L"x"}),
    [](const ::testing::TestParamInfo<FieldCase>& info) { return info.param.name; });

// Asking for every field by number and cutting once must give the same lines.
TEST(LeadingFields, MatchesGetFieldOnRandomTexts) {
  std::mt19937 random(7);
  const std::wstring pieces[] = {L"\r\n", L"\r", L"\n", L"a", L"Bc", L" ", L"\r\n\r\n", L","};
  for (int round = 0; round < 2000; ++round) {
    std::wstring text;
    const int length = static_cast<int>(random() % 12);
    for (int i = 0; i < length; ++i)
      text += pieces[random() % std::size(pieces)];
    for (const std::wstring delimiter : {L"\r\n", L","}) {
      std::vector<std::wstring> expected;
      for (int n = 1;; ++n) {
        std::wstring field = GetField(text, n, delimiter, UpperCase);
        if (field.empty()) break;
        expected.push_back(field);
      }
      EXPECT_EQ(LeadingFields(text, delimiter, 1000, UpperCase), expected) << Utf8(text);
    }
  }
}

TEST(LeadingFields, StopsAtTheLimit) {
  EXPECT_EQ(LeadingFields(L"a\r\nb\r\nc\r\n", L"\r\n", 2, UpperCase),
            (std::vector<std::wstring>{L"a", L"b"}));
  EXPECT_TRUE(LeadingFields(L"abc", L"\r\n", 0, UpperCase).empty());
}

}  // namespace
}  // namespace sendlark::testing
