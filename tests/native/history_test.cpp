#include "menus/history.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "state/program_state.h"
#include "app/frm_drag.h"
#include "delivery/send_command.h"
#include "tests/fake/fake_platform.h"

namespace sendlark::testing {
namespace {

using ::testing::ElementsAre;

class HistoryTest : public FakePlatformTest {
 protected:
  void SetUp() override {
    FakePlatformTest::SetUp();
    UseRunningTarget();
  }
  void WriteLog(int lines, const char* prefix = "entry ") {
    std::string text;
    for (int k = 1; k <= lines; ++k)
      text.append(prefix).append(std::to_string(k)).append("\r\n");
    sys.WriteFile(L"log.txt", text);
  }
  // Captions of the visible history items 1 to 10.
  std::vector<std::string> Shown() const {
    std::vector<std::string> captions;
    for (int k = 1; k <= kHistorySize; ++k) {
      if (mnu_sub_sub_log[k].visible) {
        captions.push_back(Utf8(mnu_sub_sub_log[k].caption));
      }
    }
    return captions;
  }
  bool LogWritten() const {
    return std::count(sys.trace.begin(), sys.trace.end(), "replace:log.txt") > 0;
  }
};

TEST_F(HistoryTest, AddToAnEmptyLog) {
  WriteLog(0);
  UpdateHistory(Add, L"X");
  EXPECT_THAT(Shown(), ElementsAre("X"));
  EXPECT_EQ(sys.ReadFile(L"log.txt"), "X\r\n");
}

TEST_F(HistoryTest, AddToAFullLogDropsTheOldest) {
  WriteLog(10);
  UpdateHistory(Add, L"new");
  EXPECT_THAT(Shown(), ElementsAre("new", "entry 1", "entry 2", "entry 3", "entry 4", "entry 5",
                                   "entry 6", "entry 7", "entry 8", "entry 9"));
  EXPECT_EQ(sys.ReadFile(L"log.txt"),
            "new\r\nentry 1\r\nentry 2\r\nentry 3\r\nentry 4\r\nentry 5\r\nentry 6\r\nentry "
            "7\r\nentry 8\r\nentry 9\r\n");
}

TEST_F(HistoryTest, RefreshCutsAHandEditedLogToTen) {
  WriteLog(12);
  UpdateHistory(Refresh, L"");
  EXPECT_EQ(Shown().size(), 10u);
  EXPECT_EQ(Shown().back(), "entry 10");
  EXPECT_EQ(sys.ReadFile(L"log.txt").find("entry 11"), std::string::npos);
}

TEST_F(HistoryTest, RefreshStopsAtTheFirstEmptyLine) {
  sys.WriteFile(L"log.txt", "a\r\nb\r\n\r\nd\r\n");
  UpdateHistory(Refresh, L"");
  EXPECT_THAT(Shown(), ElementsAre("a", "b"));
  EXPECT_EQ(sys.ReadFile(L"log.txt"), "a\r\nb\r\n");
}

TEST_F(HistoryTest, RefreshOfAnEmptyLogChangesNothing) {
  WriteLog(0);
  UpdateHistory(Refresh, L"");
  EXPECT_TRUE(Shown().empty());
  EXPECT_FALSE(LogWritten());
}

TEST_F(HistoryTest, AnEmptyEntryIsShownButNotWritten) {
  WriteLog(10);
  UpdateHistory(Add, L"");
  EXPECT_TRUE(mnu_sub_sub_log[1].visible);
  EXPECT_EQ(mnu_sub_sub_log[1].caption, L"");
  EXPECT_EQ(sys.ReadFile(L"log.txt").substr(0, 9), "entry 1\r\n");
  EXPECT_EQ(sys.ReadFile(L"log.txt").find("entry 10"), std::string::npos);
}

TEST_F(HistoryTest, ItemsBeyondAShrunkenLogKeepTheirCaptions) {
  WriteLog(5);
  UpdateHistory(Refresh, L"");
  WriteLog(2, "fresh ");
  UpdateHistory(Refresh, L"");
  EXPECT_THAT(Shown(), ElementsAre("fresh 1", "fresh 2", "entry 3", "entry 4", "entry 5"));
  mnu_sub_sub_log_Click(5);
  EXPECT_THAT(sys.clipboardWrites, ElementsAre(L"entry 5"));
}

TEST_F(HistoryTest, ChoosingAnEntryDeliversItAgainAndPutsItFirst) {
  WriteLog(6);
  UpdateHistory(Refresh, L"");
  mnu_sub_sub_log_Click(4);
  EXPECT_THAT(sys.clipboardWrites, ElementsAre(L"entry 4"));
  EXPECT_EQ(Utf8(mnu_sub_sub_log[1].caption), "entry 4");
  EXPECT_EQ(Utf8(mnu_sub_sub_log[5].caption), "entry 4") << "duplicates stay";
}

TEST_F(HistoryTest, AnEntryWithALineBreakDeliversTheSameCommandText) {
  WriteLog(0);
  SendCommand(L"one\r\ntwo", L"TargetClass", L"Target Window", L"", L"\\n");
  EXPECT_EQ(Utf8(mnu_sub_sub_log[1].caption), "one\\ntwo\\n");
  mnu_sub_sub_log_Click(1);
  EXPECT_THAT(sys.clipboardWrites, ElementsAre(L"one\r\ntwo\r\n", L"one\r\ntwo\r\n"));
}

TEST_F(HistoryTest, ALoneCarriageReturnSplitsTheEntryWhenReadBack) {
  WriteLog(0);
  UpdateHistory(Add, L"a\rb");
  UpdateHistory(Refresh, L"");
  EXPECT_THAT(Shown(), ElementsAre("a", "b"));
}

struct LogCase {
  const char* name;
  std::string codePage;
  std::string before;  // the log file's bytes
  std::wstring entry;  // added in front
  std::string after;
};

class LogEncodingTest : public HistoryTest, public ::testing::WithParamInterface<LogCase> {};

// The log keeps the encoding it was read in, unless an entry does not fit the ANSI code page:
// then the whole log becomes UTF-8 with a mark, and nothing is lost.
TEST_P(LogEncodingTest, KeepsTheLogsEncodingUnlessAnEntryWouldBeLost) {
  const LogCase& c = GetParam();
  sys.codePage = c.codePage;
  sys.WriteFile(L"log.txt", c.before);
  UpdateHistory(Add, c.entry);
  EXPECT_EQ(sys.ReadFile(L"log.txt"), c.after);
  // Read back, every entry is what was delivered.
  const std::wstring first = mnu_sub_sub_log[1].caption;
  UpdateHistory(Refresh, L"");
  EXPECT_EQ(mnu_sub_sub_log[1].caption, first);
  EXPECT_EQ(sys.ReadFile(L"log.txt"), c.after);
}

const std::string kBom = "\xEF\xBB\xBF";

INSTANTIATE_TEST_SUITE_P(
    Logs, LogEncodingTest,
    ::testing::Values(
        LogCase{"AnsiStaysByteForByte", "CP1252", "caf\xE9\r\n", L"new", "new\r\ncaf\xE9\r\n"},
        LogCase{"ShiftJisStays", "CP932", "\x95\x5c\r\n", L"表示",
                "\x95\x5c\x8e\xa6\r\n\x95\x5c\r\n"},
        LogCase{"AnEntryOutsideTheCodePageMakesItUtf8", "CP932", "\x95\x5c\r\n",
                L"résumé Ωmega 🙂", kBom + "résumé Ωmega 🙂\r\n表\r\n"},
        LogCase{"JapaneseUnderCodePage1252", "CP1252", "", L"表示", kBom + "表示\r\n"},
        LogCase{"Utf8WithoutMarkStays", "CP1252", "caf\xC3\xA9\r\n", L"x", "x\r\ncaf\xC3\xA9\r\n"},
        LogCase{"Utf8WithMarkStays", "CP1252", kBom + "a\r\n", L"b", kBom + "b\r\na\r\n"},
        LogCase{"Utf16Stays", "CP932",
                std::string("\xFF\xFE"
                            "a\0\r\0\n\0",
                            8),
                L"表", std::string("\xFF\xFE\x68\x88\r\0\n\0a\0\r\0\n\0", 14)}),
    [](const ::testing::TestParamInfo<LogCase>& info) { return info.param.name; });

}  // namespace
}  // namespace sendlark::testing
