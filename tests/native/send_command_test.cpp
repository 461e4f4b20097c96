#include "delivery/send_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/frm_drag.h"
#include "config/file_io.h"
#include "state/program_state.h"
#include "delivery/paste_id.h"
#include "menus/history.h"
#include "tests/fake/fake_platform.h"

namespace sendlark::testing {
namespace {

using ::testing::ElementsAre;

class SendCommandTest : public FakePlatformTest {
 protected:
  void SetUp() override {
    FakePlatformTest::SetUp();
    sys.WriteFile(L"log.txt", "older\r\n");
    g_settings[LogFileName] = L"log.txt";
    g_settings[ApplicationPaste] = L"770";
  }
  void Send(const std::wstring& text) {
    SendCommand(text, L"TargetClass", L"Target Window", L"<", L">");
  }
  // A message box of a failed delivery, which other copies deliver through.
  std::string Failure(const std::wstring& description = L"") {
    return "message:" + Utf8(kDeliveryFailedMessage + description);
  }
};

TEST_F(SendCommandTest, PastesIntoTheTargetAndRecordsTheDelivery) {
  const WindowRef target = sys.AddWindow(L"TargetClass", L"Target Window");
  Send(L"item\\n");
  EXPECT_THAT(sys.trace, ElementsAre("turn", "clipboard:<item\r\n>", "find",
                                     "activate:Target Window", "send:770", "read:log.txt",
                                     "clean up:log.txt", "replace:log.txt", "end turn"));
  ASSERT_EQ(sys.sent.size(), 1u);
  EXPECT_EQ(sys.sent[0].target, target);
  EXPECT_EQ(sys.ReadFile(L"log.txt"), "<item\\n>\r\nolder\r\n");
  EXPECT_EQ(g_settings[LastText], L"item\\n");
  EXPECT_EQ(g_settings[LastHeader], L"<");
  EXPECT_EQ(g_settings[LastFooter], L">");
  EXPECT_EQ(mnu_sub_sub_log[1].caption, L"<item\\n>");
  EXPECT_TRUE(sys.messages.empty());
}

TEST_F(SendCommandTest, MissingTargetShowsTheWindowAndTheMessageThenStillRecords) {
  Send(L"item");
  EXPECT_THAT(sys.trace,
              ElementsAre("turn", "clipboard:<item>", "find", "show", "end turn", Failure(), "turn",
                          "read:log.txt", "clean up:log.txt", "replace:log.txt", "end turn"));
  EXPECT_EQ(sys.ReadFile(L"log.txt"), "<item>\r\nolder\r\n");
  EXPECT_EQ(g_settings[LastText], L"item");
}

TEST_F(SendCommandTest, FailedActivationShowsTwoMessagesAndSendsNothing) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  sys.activationFails = true;
  Send(L"item");
  EXPECT_THAT(sys.trace, ElementsAre("turn", "clipboard:<item>", "find", "activate:Target Window",
                                     "show", "end turn", Failure(kNoSuchTitleText), "turn", "show",
                                     "end turn", Failure(), "turn", "read:log.txt",
                                     "clean up:log.txt", "replace:log.txt", "end turn"));
}

TEST_F(SendCommandTest, UnusablePasteIdBringsTheTargetForwardButSendsNothing) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  for (const auto& [paste, description] :
       {std::pair{L"", kNotANumberText}, std::pair{L"abc", kNotANumberText},
        std::pair{L"1e10", kOutOfRangeText}}) {
    sys.trace.clear();
    g_settings[ApplicationPaste] = paste;
    Send(L"item");
    std::erase(sys.trace, "clean up:log.txt");
    EXPECT_THAT(sys.trace,
                ElementsAre("turn", "clipboard:<item>", "find", "activate:Target Window", "show",
                            "end turn", Failure(description), "turn", "show", "end turn", Failure(),
                            "turn", "read:log.txt", "replace:log.txt", "end turn"));
  }
  EXPECT_TRUE(sys.sent.empty());
  EXPECT_EQ(mnu_sub_sub_log[3].caption, L"<item>");
}

struct OutcomeCase {
  const char* name;
  std::uint32_t error;
  bool lost;  // the paste is lost, and the user told so
};

class PasteOutcomeTest : public SendCommandTest,
                         public ::testing::WithParamInterface<OutcomeCase> {};

// Only a target that does not answer in time still pastes (it keeps the command); every other
// refusal is a failed paste, reported with the system's reason. Either way the item is recorded.
TEST_P(PasteOutcomeTest, OnlyATimeoutIsNotAFailure) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  sys.sendOutcome = {GetParam().error, L"reason"};
  Send(L"item");
  const std::vector<std::string> tail = {"read:log.txt", "clean up:log.txt", "replace:log.txt",
                                         "end turn"};
  std::vector<std::string> expected = {"turn", "clipboard:<item>", "find", "activate:Target Window",
                                       "send:770"};
  if (GetParam().lost) {
    expected.insert(expected.end(), {"show", "end turn", Failure(L"reason"), "turn", "show",
                                     "end turn", Failure(), "turn"});
  }
  expected.insert(expected.end(), tail.begin(), tail.end());
  EXPECT_EQ(sys.trace, expected);
  EXPECT_EQ(sys.ReadFile(L"log.txt"), "<item>\r\nolder\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Errors, PasteOutcomeTest,
    ::testing::Values(OutcomeCase{"Pasted", 0, false},
                      OutcomeCase{"HungTargetStillPastes", kErrorTimeout, false},
                      OutcomeCase{"WindowClosedInBetween", 1400, true},
                      OutcomeCase{"ElevatedTargetRefuses", 5, true},
                      OutcomeCase{"AnyOtherError", 1450, true}),
    [](const ::testing::TestParamInfo<OutcomeCase>& info) { return info.param.name; });

struct ReadingCase {
  const char* name;
  Reading reading;
  bool waits;  // for the target to read, after the command has returned
  bool lost;   // the paste failed, and the user is told so
};

class ReadingTest : public SendCommandTest, public ::testing::WithParamInterface<ReadingCase> {};

// The target's request for the text is the proof that it pasted. Where the request cannot be
// traced to the target, no alarm is raised.
TEST_P(ReadingTest, OnlyATargetThatNeverReadsIsAFailedPaste) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  sys.reading = GetParam().reading;
  Send(L"item");
  std::vector<std::string> expected = {"turn", "clipboard:<item>", "find", "activate:Target Window",
                                       "send:770"};
  if (GetParam().waits) expected.push_back("wait");
  if (GetParam().lost) {
    expected.insert(expected.end(), {"show", "end turn", Failure(NotTakenText(770)), "turn", "show",
                                     "end turn", Failure(), "turn"});
  }
  expected.insert(expected.end(),
                  {"read:log.txt", "clean up:log.txt", "replace:log.txt", "end turn"});
  EXPECT_EQ(sys.trace, expected);
  EXPECT_EQ(sys.waitedMs, GetParam().lost ? kTextRequestPatienceMs : GetParam().waits ? 300 : 0);
  EXPECT_EQ(sys.ReadFile(L"log.txt"), "<item>\r\nolder\r\n") << "recorded either way";
}

INSTANTIATE_TEST_SUITE_P(
    Readers, ReadingTest,
    ::testing::Values(ReadingCase{"DuringTheCommandCostsNoWait", Reading::DuringCommand, false,
                                  false},
                      ReadingCase{"ThroughNoWindow", Reading::Unnamed, false, false},
                      ReadingCase{"AMomentLater", Reading::Late, true, false},
                      ReadingCase{"AnotherProgramFirst", Reading::AnotherFirst, false, false},
                      ReadingCase{"Never", Reading::Never, true, true}),
    [](const ::testing::TestParamInfo<ReadingCase>& info) { return info.param.name; });

// Looking for them costs as much as a third of the rewrite, and they are rare.
TEST_F(SendCommandTest, LeftoversOfAnEndedCopyAreLookedForOnceARun) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  for (const wchar_t* item : {L"one", L"two", L"three"})
    Send(item);
  EXPECT_EQ(std::count(sys.trace.begin(), sys.trace.end(), "clean up:log.txt"), 1);
}

TEST_F(SendCommandTest, ClipboardFailureReportsAndLeavesHistoryAndLastDeliveryAlone) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  g_settings[LastText] = L"before";
  sys.clipboardError = L"Access is denied.";
  Send(L"item");
  EXPECT_THAT(sys.trace, ElementsAre("turn", "clipboard:<item>", "show", "end turn",
                                     Failure(L"Access is denied."), "turn", "end turn"));
  EXPECT_EQ(sys.ReadFile(L"log.txt"), "older\r\n");
  EXPECT_EQ(g_settings[LastText], L"before");
  EXPECT_FALSE(mnu_sub_sub_log[1].visible);
}

TEST_F(SendCommandTest, HistoryFailureEndsAfterTheItemButBeforeHeaderAndFooterAreKept) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  g_settings[LogFileName] = L"missing.txt";
  EXPECT_EQ(ExpectEnd([&] { Send(L"item"); }), kFileErrorExitCode);
  ASSERT_EQ(sys.sent.size(), 1u) << "pasted before the history was read";
  EXPECT_EQ(g_settings[LastText], L"item");
  EXPECT_EQ(g_settings[LastHeader], L"");
  EXPECT_EQ(g_settings[LastFooter], L"");
}

TEST_F(SendCommandTest, ResendBeforeAnyDeliveryPastesAnEmptyText) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  g_settings[ApplicationClass] = L"TargetClass";
  g_settings[ApplicationName] = L"Target Window";
  mnu_sub_replay_Click();
  EXPECT_THAT(sys.clipboardWrites, ElementsAre(L""));
  EXPECT_EQ(sys.sent.size(), 1u);
  EXPECT_TRUE(mnu_sub_sub_log[1].visible);
  EXPECT_EQ(mnu_sub_sub_log[1].caption, L"");
  EXPECT_EQ(sys.ReadFile(L"log.txt"), "older\r\n") << "the empty entry is not written";
}

TEST_F(SendCommandTest, ResendDeliversTheLastItemWithItsHeaderAndFooter) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  g_settings[ApplicationClass] = L"TargetClass";
  g_settings[ApplicationName] = L"Target Window";
  Send(L"item");
  mnu_sub_replay_Click();
  EXPECT_THAT(sys.clipboardWrites, ElementsAre(L"<item>", L"<item>"));
  EXPECT_EQ(sys.ReadFile(L"log.txt"), "<item>\r\n<item>\r\nolder\r\n");
}

}  // namespace
}  // namespace sendlark::testing
