#include "platform/win32/locale_text.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace sendlark::win32 {
namespace {

TEST(FoldCase, IgnoresLetterCaseAndKeepsTheLength) {
  EXPECT_EQ(FoldCase(L":AppliactionPast"), FoldCase(L":APPLIACTIONPAST"));
  EXPECT_EQ(FoldCase(L"äbc"), FoldCase(L"ÄBC"));
  EXPECT_EQ(FoldCase(L"=;\\表").size(), 4u);
  EXPECT_EQ(FoldCase(L""), L"");
}

struct NumberCase {
  const wchar_t* text;
  std::optional<double> expected;
};

class ParseNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ParseNumberTest, ReadsNumbersAsTheLocaleWritesThem) {
  EXPECT_EQ(ParseNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseNumberTest,
                         ::testing::Values(NumberCase{L"770", 770.0}, NumberCase{L"770.9", 770.9},
                                           NumberCase{L"-0.5", -0.5}, NumberCase{L" 275 ", 275.0},
                                           NumberCase{L"1e10", 1e10}, NumberCase{L"", std::nullopt},
                                           NumberCase{L"abc", std::nullopt},
                                           NumberCase{L"77x", std::nullopt}));

}  // namespace
}  // namespace sendlark::win32
