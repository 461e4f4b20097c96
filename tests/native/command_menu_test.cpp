#include "menus/command_menu.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/frm_drag.h"
#include "config/file_io.h"
#include "state/program_state.h"
#include "tests/fake/fake_platform.h"

namespace sendlark::testing {
namespace {

using ::testing::ElementsAre;

class CommandMenuTest : public FakePlatformTest {
 protected:
  void SetUp() override {
    FakePlatformTest::SetUp();
    UseRunningTarget();
    g_settings[CommandFileName] = L"commands.txt";
    g_settings[CommandHeader] = L"HEADER";  // not used for command entries
    g_settings[CommandFooter] = L"FOOTER";
  }
  void Load(const std::string& file) {
    sys.WriteFile(L"commands.txt", file);
    LoadCommandMenu();
  }
  // Every element of the array: its caption, and "(hidden)" when not visible.
  std::vector<std::string> Entries() const {
    std::vector<std::string> entries;
    for (const MenuItem& item : mnu_sub_command) {
      entries.push_back(Utf8(item.caption) + (item.visible ? "" : " (hidden)"));
    }
    return entries;
  }
};

TEST_F(CommandMenuTest, RebuildsGrowAndShrinkAtTheEnd) {
  Load("one\r\ntwo\r\nthree\r\n");
  EXPECT_THAT(Entries(), ElementsAre("- (hidden)", "one", "two", "three"));
  Load("first");
  EXPECT_THAT(Entries(), ElementsAre("- (hidden)", "first"));
  Load("a\r\nb\r\nc\r\nd\r\n");
  EXPECT_THAT(Entries(), ElementsAre("- (hidden)", "a", "b", "c", "d"));
}

TEST_F(CommandMenuTest, TheFirstEmptyLineEndsTheList) {
  Load("one\r\n\r\nthree\r\n");
  EXPECT_THAT(Entries(), ElementsAre("- (hidden)", "one"));
  Load("\r\none\r\n");
  EXPECT_THAT(Entries(), ElementsAre("- (hidden)"));
  Load("");
  EXPECT_THAT(Entries(), ElementsAre("- (hidden)"));
}

TEST_F(CommandMenuTest, LinesAreTakenAsTheyStand) {
  Load("   \r\n-\r\na&b\r\nx\\ny\rlast");
  EXPECT_THAT(Entries(), ElementsAre("- (hidden)", "   ", "-", "a&b", "x\\ny", "last"));
}

TEST_F(CommandMenuTest, AMissingCommandFileEndsTheProgram) {
  g_settings[CommandFileName] = L"missing.txt";
  EXPECT_EQ(ExpectEnd([] { LoadCommandMenu(); }), kFileErrorExitCode);
  EXPECT_EQ(sys.messages.size(), 1u);
}

TEST_F(CommandMenuTest, StopsAtTheLargestMenuArray) {
  std::string file;
  for (int k = 1; k <= kMaxCommandEntries + 5; ++k)
    file.append("c").append(std::to_string(k)).append("\r\n");
  Load(file);
  ASSERT_EQ(mnu_sub_command.size(), static_cast<std::size_t>(kMaxCommandEntries) + 1);
  EXPECT_EQ(mnu_sub_command.back().caption, L"c32767");
}

struct ChoiceCase {
  const char* name;
  std::string line;
  std::wstring clipboard;
  std::string logged;
};

class CommandChoiceTest : public CommandMenuTest,
                          public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(CommandChoiceTest, DeliversTheLineAndALineBreakWithoutHeaderOrFooter) {
  const ChoiceCase& c = GetParam();
  Load(c.line + "\r\n");
  mnu_sub_command_Click(1);
  EXPECT_THAT(sys.clipboardWrites, ElementsAre(c.clipboard));
  EXPECT_EQ(sys.ReadFile(L"log.txt"), c.logged + "\r\n");
  EXPECT_EQ(g_settings[LastHeader], L"");
  EXPECT_EQ(g_settings[LastFooter], L"\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandChoiceTest,
    ::testing::Values(ChoiceCase{"Plain", "abc", L"abc\r\n", "abc\\n"},
                      ChoiceCase{"Ampersand", "a&b", L"a&b\r\n", "a&b\\n"},
                      ChoiceCase{"TwoAmpersands", "a&&b", L"a&&b\r\n", "a&&b\\n"},
                      ChoiceCase{"Blanks", "   ", L"   \r\n", "   \\n"},
                      ChoiceCase{"Escape", "one\\ntwo", L"one\r\ntwo\r\n", "one\\ntwo\\n"}),
    [](const ::testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });

TEST_F(CommandMenuTest, RefreshRebuildsBothMenusAndAddsNothing) {
  Load("old\r\n");
  sys.WriteFile(L"commands.txt", "new 1\r\nnew 2\r\n");
  sys.WriteFile(L"log.txt", "entry\r\n");
  sub_mnu_refresh_Click();
  EXPECT_THAT(Entries(), ElementsAre("- (hidden)", "new 1", "new 2"));
  EXPECT_EQ(mnu_sub_sub_log[1].caption, L"entry");
  EXPECT_FALSE(mnu_sub_sub_log[2].visible);
  EXPECT_EQ(sys.ReadFile(L"log.txt"), "entry\r\n");
  EXPECT_TRUE(sys.clipboardWrites.empty());
}

}  // namespace
}  // namespace sendlark::testing
