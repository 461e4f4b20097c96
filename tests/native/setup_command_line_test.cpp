#include "setup/setup_command_line.h"

#include <gtest/gtest.h>

#include "tests/fake/fake_platform.h"

namespace sendlark::setup {
namespace {

using Action = SetupAction;

struct CommandCase {
  const wchar_t* line;
  Action action;
  std::wstring detail = L"";  // the list file, or the argument not understood
  std::uintptr_t window = 0;
  std::optional<std::uint32_t> paste = std::nullopt;
};

class SetupCommandLineTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(SetupCommandLineTest, IsUnderstood) {
  const CommandCase& c = GetParam();
  const SetupCommand command = ParseSetupCommand(c.line);
  EXPECT_EQ(command.action, c.action);
  const std::wstring detail = c.action == Action::kList ? command.listFile : command.notUnderstood;
  EXPECT_EQ(testing::Utf8(detail), testing::Utf8(c.detail));
  EXPECT_EQ(command.window, c.window);
  EXPECT_EQ(command.paste, c.paste);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SetupCommandLineTest,
    ::testing::Values(
        CommandCase{L"SendlarkSetup.exe", Action::kWindow},
        CommandCase{L"\"C:\\Program Files\\S\\SendlarkSetup.exe\"  ", Action::kWindow},
        CommandCase{L"s.exe /list out.tsv", Action::kList, L"out.tsv"},
        CommandCase{L"s.exe /LIST \"C:\\My Lists\\w.tsv\"", Action::kList, L"C:\\My Lists\\w.tsv"},
        // Backslashes double only before a quote.
        CommandCase{L"s.exe /list \"C:\\out dir\\\\\"", Action::kList, L"C:\\out dir\\"},
        CommandCase{L"s.exe /list a\\\\\\\"b\\\\c", Action::kList, L"a\\\"b\\\\c"},
        CommandCase{L"s.exe /list \"say \"\"hi\"\" now\"", Action::kList, L"say \"hi\" now"},
        CommandCase{L"s.exe /save 0x1A2b", Action::kSave, L"", 0x1A2B},
        CommandCase{L"s.exe\t/save 6700 /paste 770", Action::kSave, L"", 6700, 770},
        CommandCase{L"s.exe /Save 0X10 /PASTE 0", Action::kSave, L"", 16, 0},
        CommandCase{L"s.exe /save 18446744073709551615 /paste 2147483647", Action::kSave, L"",
                    static_cast<std::uintptr_t>(18446744073709551615ull), 2147483647},
        CommandCase{L"s.exe /list", Action::kUsage, L"/list"},
        CommandCase{L"s.exe /list a b", Action::kUsage, L"b"},
        CommandCase{L"s.exe /save", Action::kUsage, L"/save"},
        CommandCase{L"s.exe /save 0", Action::kUsage, L"0"},
        CommandCase{L"s.exe /save 0x", Action::kUsage, L"0x"},
        CommandCase{L"s.exe /save -5", Action::kUsage, L"-5"},
        CommandCase{L"s.exe /save 18446744073709551616", Action::kUsage, L"18446744073709551616"},
        CommandCase{L"s.exe /save 12 770", Action::kUsage, L"770"},
        CommandCase{L"s.exe /save 12 /paste", Action::kUsage, L"/paste"},
        CommandCase{L"s.exe /save 12 /paste 2147483648", Action::kUsage, L"2147483648"},
        CommandCase{L"s.exe /save 12 /paste +7", Action::kUsage, L"+7"},
        CommandCase{L"s.exe /save 12 /paste 7 x", Action::kUsage, L"x"},
        CommandCase{L"s.exe /paste 7 /save 12", Action::kUsage, L"/paste"},
        CommandCase{L"s.exe \"\"", Action::kUsage, L""}));

}  // namespace
}  // namespace sendlark::setup
