#include "delivery/command_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "delivery/paste_id.h"
#include "tests/fake/fake_platform.h"

namespace sendlark::testing {
namespace {

struct TextCase {
  const char* name;
  std::wstring header, text, footer;
  std::wstring command;
  std::wstring entry;
};

class CommandTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(CommandTextTest, BuildsTheCommandAndItsHistoryEntry) {
  const TextCase& c = GetParam();
  const std::wstring command = CommandText(c.header, c.text, c.footer);
  EXPECT_EQ(Utf8(command), Utf8(c.command));
  EXPECT_EQ(Utf8(HistoryEntry(command)), Utf8(c.entry));
  // Delivering the entry again gives the same command text.
  EXPECT_EQ(Utf8(CommandText(L"", HistoryEntry(command), L"")), Utf8(c.command));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CommandTextTest,
    ::testing::Values(TextCase{"Plain", L"", L"a\\nb", L"", L"a\r\nb", L"a\\nb"},
                      TextCase{"Framed", L"<", L"C:\\x.txt", L">\\n", L"<C:\\x.txt>\r\n",
                               L"<C:\\x.txt>\\n"},
                      TextCase{"EscapeAcrossTheJoint", L"x\\", L"nY", L"", L"x\r\nY", L"x\\nY"},
                      TextCase{"TwoBackslashes", L"", L"a\\\\nb", L"", L"a\\\r\nb", L"a\\\\nb"},
                      TextCase{"CapitalNStays", L"", L"C:\\New", L"", L"C:\\New", L"C:\\New"},
                      TextCase{"CrLfInTheItem", L"", L"a\r\nb", L"", L"a\r\nb", L"a\\nb"},
                      TextCase{"LoneCrAndLfStay", L"", L"a\rb\nc", L"", L"a\rb\nc", L"a\rb\nc"},
                      TextCase{"CommandMenuLine", L"", L"abc", L"\r\n", L"abc\r\n", L"abc\\n"},
                      TextCase{"Empty", L"", L"", L"", L"", L""}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return info.param.name; });

TEST(CommandTextRoundTrip, AnEntryAlwaysDeliversItsCommandAgain) {
  std::mt19937 random(11);
  const std::wstring pieces[] = {L"\\", L"n", L"N", L"\r", L"\n", L"\r\n", L"x", L"表"};
  for (int round = 0; round < 3000; ++round) {
    std::wstring text;
    for (int i = static_cast<int>(random() % 10); i > 0; --i) {
      text += pieces[random() % std::size(pieces)];
    }
    const std::wstring command = CommandText(L"", text, L"");
    EXPECT_EQ(CommandText(L"", HistoryEntry(command), L""), command) << Utf8(text);
    EXPECT_EQ(HistoryEntry(command).find(L"\r\n"), std::wstring::npos);
  }
}

struct IdCase {
  const char* name;
  std::optional<double> number;
  std::int32_t id;
  const wchar_t* error;
};

class PasteIdTest : public ::testing::TestWithParam<IdCase> {};

TEST_P(PasteIdTest, RoundsDownAndChecksTheRange) {
  const IdCase& c = GetParam();
  const PasteId paste = PasteCommandId(c.number);
  if (c.error == nullptr) {
    EXPECT_FALSE(paste.error);
    EXPECT_EQ(paste.id, c.id);
  } else {
    ASSERT_TRUE(paste.error);
    EXPECT_EQ(*paste.error, c.error);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PasteIdTest,
    ::testing::Values(IdCase{"Whole", 770, 770, nullptr}, IdCase{"Fraction", 770.9, 770, nullptr},
                      IdCase{"NegativeFraction", -0.5, -1, nullptr},
                      IdCase{"Largest", 2147483647, 2147483647, nullptr},
                      IdCase{"Smallest", -2147483648.0, -2147483647 - 1, nullptr},
                      IdCase{"NotANumber", std::nullopt, 0, kNotANumberText},
                      IdCase{"NaN", std::nan(""), 0, kNotANumberText},
                      IdCase{"TooLarge", 1e10, 0, kOutOfRangeText},
                      IdCase{"JustTooLarge", 2147483648.0, 0, kOutOfRangeText},
                      IdCase{"RoundsBelowTheRange", -2147483648.5, 0, kOutOfRangeText}),
    [](const ::testing::TestParamInfo<IdCase>& info) { return info.param.name; });

}  // namespace
}  // namespace sendlark::testing
