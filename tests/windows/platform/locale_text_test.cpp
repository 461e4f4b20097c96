#include "platform/win32/locale_text.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace sendlark::win32 {
namespace {

TEST(AnsiText, RoundTripsInTheSystemCodePage) {
  const std::wstring ascii = L"C:\\Tools\\a b.txt\r\n";
  EXPECT_EQ(ToAnsi(ascii), "C:\\Tools\\a b.txt\r\n");
  EXPECT_EQ(FromAnsi(ToAnsi(ascii)), ascii);
  EXPECT_EQ(FromAnsi(""), L"");
}

TEST(AnsiText, JapaneseIsShiftJisUnderCodePage932) {
  if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
  // The second byte of "表" is the byte of a backslash.
  EXPECT_EQ(ToAnsi(L"表示"), "\x95\x5c\x8e\xa6");
  EXPECT_EQ(FromAnsi("\x95\x5c\x8e\xa6"), L"表示");
  EXPECT_EQ(FromAnsi("\xb1"), L"ｱ");  // half-width katakana is a single byte
}

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
