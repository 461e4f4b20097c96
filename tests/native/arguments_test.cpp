#include "config/arguments.h"

#include <gtest/gtest.h>

namespace sendlark {
namespace {

struct ArgumentCase {
  const char* name;
  std::wstring commandLine;
  std::wstring expected;
};

class ArgumentTextTest : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(ArgumentTextTest, FollowsTheProgramName) {
  EXPECT_EQ(ArgumentText(GetParam().commandLine), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ArgumentTextTest,
    ::testing::Values(
        ArgumentCase{"NameOnly", L"Sendlark.exe", L""},
        ArgumentCase{"NameAndBlanks", L"Sendlark.exe   ", L""},
        ArgumentCase{"OnePath", L"Sendlark.exe C:\\a.txt", L"C:\\a.txt"},
        ArgumentCase{"QuotesAndBlanksKept", L"S.exe  \"C:\\a b.txt\"  x ", L"\"C:\\a b.txt\"  x "},
        ArgumentCase{"QuotedProgramName", L"\"C:\\Program Files\\S.exe\" arg", L"arg"},
        ArgumentCase{"QuotedNameRunsOn", L"\"C:\\dir\"\\S.exe arg", L"arg"},
        ArgumentCase{"TabSeparates", L"S.exe\targ", L"arg"},
        ArgumentCase{"LineBreakBelongsToArguments", L"S.exe a\r\nb", L"a\r\nb"}),
    [](const ::testing::TestParamInfo<ArgumentCase>& info) { return info.param.name; });

}  // namespace
}  // namespace sendlark
