#include "app/command_line.h"
#include "app/frm_drag.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/file_io.h"
#include "state/program_state.h"
#include "tests/fake/fake_platform.h"

namespace sendlark::testing {
namespace {

using ::testing::AnyOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

struct ItemsCase {
  const char* name;
  std::wstring arguments;
  bool result;
  std::vector<std::wstring> items;
};

class GetCommandArgsTest : public FakePlatformTest,
                           public ::testing::WithParamInterface<ItemsCase> {};

TEST_P(GetCommandArgsTest, CutsOnlyAtCrLf) {
  const ItemsCase& c = GetParam();
  sys.commandLine = L"Sendlark.exe " + c.arguments;
  std::vector<std::wstring> items;
  EXPECT_EQ(GetCommandArgs(items), c.result);
  EXPECT_EQ(items, c.items);
}

INSTANTIATE_TEST_SUITE_P(
    Items, GetCommandArgsTest,
    ::testing::Values(
        ItemsCase{"None", L"", false, {}}, ItemsCase{"OnePath", L"C:\\a.txt", true, {L"C:\\a.txt"}},
        ItemsCase{"TwoPathsAreOneItem", L"C:\\a.txt C:\\b.txt", true, {L"C:\\a.txt C:\\b.txt"}},
        ItemsCase{"QuotedPathKeepsQuotes", L"\"C:\\a b.txt\"", true, {L"\"C:\\a b.txt\""}},
        ItemsCase{"LineBreaksCut", L"one\r\ntwo\r\nthree", true, {L"one", L"two", L"three"}},
        ItemsCase{"EmptyFieldEnds", L"one\r\n\r\ntwo", true, {L"one"}},
        ItemsCase{"LoneCrDoesNotCut", L"one\rtwo", true, {L"one\rtwo"}},
        ItemsCase{"LeadingLineBreak", L"\r\none", true, {}}),
    [](const ::testing::TestParamInfo<ItemsCase>& info) { return info.param.name; });

class FormLoadTest : public FakePlatformTest {};

TEST_F(FormLoadTest, MissingConfigEndsBeforeTheSecondCopyCheck) {
  sys.anotherCopy = true;
  sys.commandLine = L"Sendlark.exe item";
  EXPECT_EQ(ExpectEnd([] { Form_Load(); }), kFileErrorExitCode);
  EXPECT_THAT(sys.trace,
              ElementsAre("hide", "read:Config.ini",
                          "message:ファイル入出力エラー\r\nNo such file or directory", "end:1"));
}

TEST_F(FormLoadTest, FillsTheConfiguredSlotsAndLeavesTheLastDeliveryEmpty) {
  WriteConfig(
      L":AppliactionPath=p;:AppliactionName=n;:AppliactionClass=c;:AppliactionPast=275;"
      L":CommandHeader=h\\n;:CommandFooter=f;:CommandFileName=commands.txt;"
      L":LogFileName=log.txt;");
  sys.WriteFile(L"commands.txt", "");
  sys.WriteFile(L"log.txt", "");
  Form_Load();
  EXPECT_EQ(g_settings, (SettingsTable{L"", L"", L"", L"p", L"n", L"c", L"275", L"h\r\n", L"f",
                                       L"commands.txt", L"log.txt"}));
  EXPECT_EQ(g_configText.substr(0, 19), L":AppliactionPath=p;");
}

TEST_F(FormLoadTest, WithoutArgumentsBuildsTheMenusThenShowsTheWindowTopmostWithItsHotKey) {
  UseStandardConfig();
  sys.WriteFile(L"Config.ini", sys.ReadFile(L"Config.ini") + ":HotKey=Ctrl+Alt+S;");
  Form_Load();
  EXPECT_THAT(sys.trace,
              ElementsAre("hide", "read:Config.ini", "another-copy?", "read:commands.txt", "turn",
                          "read:log.txt", "end turn", "show", "topmost", "hot key"));
  EXPECT_TRUE(sys.clipboardWrites.empty());
  EXPECT_TRUE(sys.visible);
  EXPECT_EQ(sys.topMost, true);
}

TEST_F(FormLoadTest, SecondCopyWithoutArgumentsEndsUnseenWithoutTakingTheHotKey) {
  UseStandardConfig();
  sys.WriteFile(L"Config.ini", sys.ReadFile(L"Config.ini") + ":HotKey=Ctrl+Alt+S;");
  sys.anotherCopy = true;
  EXPECT_EQ(ExpectEnd([] { Form_Load(); }), kSecondCopyExitCode);
  EXPECT_THAT(sys.trace, ElementsAre("hide", "read:Config.ini", "another-copy?", "end:0"));
  EXPECT_FALSE(sys.visible);
}

TEST_F(FormLoadTest, MissingCommandFileEndsBeforeTheWindowIsShown) {
  UseStandardConfig();
  std::filesystem::remove(sys.folder / "commands.txt");
  EXPECT_EQ(ExpectEnd([] { Form_Load(); }), kFileErrorExitCode);
  EXPECT_FALSE(sys.visible);
  EXPECT_EQ(sys.messages.size(), 1u);
}

// A log file that is another of the program's files would be cut to ten lines of history.
class SameFileTest : public FakePlatformTest,
                     public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(SameFileTest, EndsStartUpBeforeAnythingIsDeliveredOrWritten) {
  const auto [file, named] = GetParam();
  UseStandardConfig();
  std::filesystem::remove(sys.folder / "log.txt");
  std::filesystem::create_hard_link(sys.folder / file, sys.folder / "log.txt");
  sys.AddWindow(L"TargetClass", L"Target Window");
  sys.commandLine = L"Sendlark.exe item";
  sys.anotherCopy = true;  // which delivers before anything else
  EXPECT_EQ(ExpectEnd([] { Form_Load(); }), kFileErrorExitCode);
  ASSERT_EQ(sys.messages.size(), 1u);
  EXPECT_THAT(Utf8(sys.messages[0]), StartsWith("ファイル入出力エラー\r\n:LogFileName"));
  EXPECT_THAT(Utf8(sys.messages[0]), HasSubstr(named));
  EXPECT_THAT(sys.trace, Not(Contains(AnyOf(StartsWith("clipboard:"), StartsWith("replace:")))));
}

INSTANTIATE_TEST_SUITE_P(HardLinks, SameFileTest,
                         ::testing::Values(std::pair{"Config.ini", "Config.ini"},
                                           std::pair{"commands.txt", ":CommandFileName"}));

TEST_F(FormLoadTest, FilesThatCannotBeLookedAtAreNotTakenForOneAndFailWhenRead) {
  WriteConfig(L":CommandFileName=no commands.txt;:LogFileName=no log.txt;");
  EXPECT_EQ(ExpectEnd([] { Form_Load(); }), kFileErrorExitCode);
  EXPECT_THAT(sys.messages, ElementsAre(L"ファイル入出力エラー\r\nNo such file or directory"));
}

class OversizedFileTest : public FakePlatformTest,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(OversizedFileTest, IsRefusedUnreadWithItsName) {
  UseStandardConfig();
  std::filesystem::resize_file(sys.folder / GetParam(), kMaxFileBytes + 1);  // sparse: cheap
  EXPECT_EQ(ExpectEnd([] { Form_Load(); }), kFileErrorExitCode);
  EXPECT_THAT(sys.messages, ElementsAre(L"ファイル入出力エラー\r\n" + sys.FromAnsi(GetParam()) +
                                        L" は 64 MiB を超えているため読み込めません。"));
  EXPECT_THAT(sys.trace, Not(Contains("read:" + std::string(GetParam()))));
}

INSTANTIATE_TEST_SUITE_P(EachFile, OversizedFileTest,
                         ::testing::Values("Config.ini", "commands.txt", "log.txt"));

}  // namespace
}  // namespace sendlark::testing
