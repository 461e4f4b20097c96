#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace sendlark::win32 {
namespace {

Win32Platform platform;

TEST(FoldCase, IgnoresLetterCaseAndKeepsTheLength) {
  EXPECT_EQ(platform.FoldCase(L":AppliactionPast"), platform.FoldCase(L":APPLIACTIONPAST"));
  EXPECT_EQ(platform.FoldCase(L"äbc"), platform.FoldCase(L"ÄBC"));
  EXPECT_EQ(platform.FoldCase(L"=;\\表").size(), 4u);
  EXPECT_EQ(platform.FoldCase(L""), L"");
}

struct NumberCase {
  const wchar_t* text;
  std::optional<double> expected;
};

class ParseNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ParseNumberTest, ReadsNumbersAsTheLocaleWritesThem) {
  EXPECT_EQ(platform.ParseNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseNumberTest,
                         ::testing::Values(NumberCase{L"770", 770.0}, NumberCase{L"770.9", 770.9},
                                           NumberCase{L"-0.5", -0.5}, NumberCase{L" 275 ", 275.0},
                                           NumberCase{L"1e10", 1e10}, NumberCase{L"", std::nullopt},
                                           NumberCase{L"abc", std::nullopt},
                                           NumberCase{L"77x", std::nullopt}));

}  // namespace
}  // namespace sendlark::win32
