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

struct DecisionCase {
  const char* name;
  std::uint32_t error;  // of the paste command
  Reading reading;
  std::uint32_t lateMs;
  std::uint32_t waitedMs;  // for the read, after the command
  std::wstring reason;     // of the failure boxes; empty when the paste counts
};

class PasteDecisionTest : public SendCommandTest,
                          public ::testing::WithParamInterface<DecisionCase> {};

// The target's request for the text is the proof that it pasted; where the request cannot be
// traced to the target, no alarm is raised. A target slow to answer its command gets longer to
// read. A text not read in time is taken back before the boxes, whose message loops would hand
// it over; any other refusal loses the paste with the system's reason. Either way the item is
// recorded.
TEST_P(PasteDecisionTest, OnlyATextTheTargetReadCountsAndAnUnreadOneIsWithdrawn) {
  const DecisionCase& decision = GetParam();
  sys.AddWindow(L"TargetClass", L"Target Window");
  sys.sendOutcome = {decision.error, L"reason"};
  sys.reading = decision.reading;
  sys.lateMs = decision.lateMs;
  Send(L"item");
  std::vector<std::string> expected = {"turn", "clipboard:<item>", "find", "activate:Target Window",
                                       "send:770"};
  if (decision.waitedMs > 0) expected.push_back("wait");
  if (decision.reading == Reading::Never || decision.lateMs > decision.waitedMs) {
    expected.push_back("withdraw");
  }
  if (!decision.reason.empty()) {
    expected.insert(expected.end(), {"show", "end turn", Failure(decision.reason), "turn", "show",
                                     "end turn", Failure(), "turn"});
  }
  expected.insert(expected.end(),
                  {"read:log.txt", "clean up:log.txt", "replace:log.txt", "end turn"});
  EXPECT_EQ(sys.trace, expected);
  EXPECT_EQ(sys.waitedMs, decision.waitedMs);
  EXPECT_EQ(sys.ReadFile(L"log.txt"), "<item>\r\nolder\r\n") << "recorded either way";
}

INSTANTIATE_TEST_SUITE_P(
    Readers, PasteDecisionTest,
    ::testing::Values(
        DecisionCase{"DuringTheCommandCostsNoWait", 0, Reading::DuringCommand, 0, 0, L""},
        DecisionCase{"ThroughNoWindow", 0, Reading::Unnamed, 0, 0, L""},
        DecisionCase{"AMomentLater", 0, Reading::Late, 300, 300, L""},
        DecisionCase{"AnotherProgramFirst", 0, Reading::AnotherFirst, 0, 0, L""},
        DecisionCase{"Never", 0, Reading::Never, 0, kTextRequestPatienceMs,
                     NotTakenText({770, {}})},
        DecisionCase{"TooLate", 0, Reading::Late, 2600, kTextRequestPatienceMs,
                     NotTakenText({770, {}})},
        DecisionCase{"SlowToAnswer", kErrorTimeout, Reading::DuringCommand, 2000, 2000, L""},
        DecisionCase{"NotAnswering", kErrorTimeout, Reading::Never, 0, kAnswerPatienceMs,
                     NotAnsweringText({770, {}})},
        DecisionCase{"WindowClosedInBetween", 1400, Reading::DuringCommand, 0, 0, L"reason"},
        DecisionCase{"ElevatedTargetRefuses", 5, Reading::DuringCommand, 0, 0, L"reason"}),
    [](const ::testing::TestParamInfo<DecisionCase>& info) { return info.param.name; });

struct RouteCase {
  const char* name;
  std::wstring paste;
  TitleMatch match;
  KeyPress keyPress;
  std::vector<std::string> request;  // the search, the activation and the request itself
  std::wstring reason;               // of the failure boxes; empty when the paste counts
};

class PasteRouteTest : public SendCommandTest, public ::testing::WithParamInterface<RouteCase> {};

// The keys go only to a target in front with no modifier held. Outside the exact title, the
// window found is the one brought forward.
TEST_P(PasteRouteTest, EachRouteIsAskedForAsConfigured) {
  const RouteCase& c = GetParam();
  sys.AddWindow(L"TargetClass", L"Target Window");
  g_settings[ApplicationPaste] = c.paste;
  g_program.options.titleMatch = c.match;
  sys.keyPress = c.keyPress;
  Send(L"item");
  std::vector<std::string> expected = {"turn", "clipboard:<item>"};
  expected.insert(expected.end(), c.request.begin(), c.request.end());
  if (!c.reason.empty()) {
    expected.insert(expected.end(), {"show", "end turn", Failure(c.reason), "turn", "show",
                                     "end turn", Failure(), "turn"});
  }
  expected.insert(expected.end(),
                  {"read:log.txt", "clean up:log.txt", "replace:log.txt", "end turn"});
  EXPECT_EQ(sys.trace, expected);
}

const std::vector<std::string> kCtrlV = {"find", "activate:Target Window", "keys:Ctrl+V"};

INSTANTIATE_TEST_SUITE_P(
    Routes, PasteRouteTest,
    ::testing::Values(RouteCase{"Keys", L"ctrl+v", TitleMatch::Exact, KeyPress::Pressed, kCtrlV,
                                L""},
                      RouteCase{"KeysWithAModifierHeld", L"Ctrl+V", TitleMatch::Exact,
                                KeyPress::ModifiersHeld, kCtrlV, kModifiersHeldText},
                      RouteCase{"KeysForATargetNotInFront", L"Ctrl+V", TitleMatch::Exact,
                                KeyPress::NotInFront, kCtrlV, kNotInFrontText},
                      RouteCase{"KeysOfTerminals",
                                L"ctrl+shift+v",
                                TitleMatch::Exact,
                                KeyPress::Pressed,
                                {"find", "activate:Target Window", "keys:Ctrl+Shift+V"},
                                L""},
                      RouteCase{"MessageToTheWindowFound",
                                L"WM_PASTE",
                                TitleMatch::Contains,
                                KeyPress::Pressed,
                                {"windows of class", "activate window:100", "send:WM_PASTE"},
                                L""}),
    [](const ::testing::TestParamInfo<RouteCase>& info) { return info.param.name; });

// Its waiting paste commands would read the next items, so they are recorded unsent instead.
TEST_F(SendCommandTest, ARunStopsSendingToATargetThatStopsAnswering) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  sys.sendOutcome = {kErrorTimeout, L""};
  sys.reading = Reading::Never;
  DeliverAsOneRun([&] {
    for (const wchar_t* item : {L"one", L"two", L"three"})
      Send(item);
  });
  EXPECT_THAT(sys.clipboardWrites, ElementsAre(L"<one>"));
  EXPECT_THAT(sys.messages, ElementsAre(kDeliveryFailedMessage + NotAnsweringText({770, {}}),
                                        kDeliveryFailedMessage, HeldBackText(2)));
  EXPECT_EQ(sys.ReadFile(L"log.txt"), "<three>\r\n<two>\r\n<one>\r\nolder\r\n");
  EXPECT_EQ(g_settings[LastText], L"three");
  Send(L"four");  // the next run tries again
  EXPECT_THAT(sys.clipboardWrites, ElementsAre(L"<one>", L"<four>"));
}

// What happens to the clipboard or to the run besides the three items.
enum class Meanwhile { Nothing, CopiedAfterFirst, CopiedAfterLast, NotAnswering, LogGone };

struct RestoreCase {
  const char* name;
  ClipboardCopy users;
  Meanwhile meanwhile;
  std::string expected;  // the trace's clipboard steps, boxes and end
};

class RestoreTest : public SendCommandTest, public ::testing::WithParamInterface<RestoreCase> {};

// The user's clipboard is copied before a run and put back once after it, its boxes first, or
// before the program ends in it; only a whole copy of what the user had, and only onto our own
// last item. What another program put there meanwhile is the user's newer clipboard.
TEST_P(RestoreTest, TheUsersClipboardComesBackOnceAfterTheRunOrIsLeftAlone) {
  const RestoreCase& c = GetParam();
  sys.AddWindow(L"TargetClass", L"Target Window");
  g_program.options.restoreClipboard = true;
  sys.usersClipboard = c.users;
  sys.copiedAtCommand = c.meanwhile == Meanwhile::CopiedAfterFirst  ? 1
                        : c.meanwhile == Meanwhile::CopiedAfterLast ? 3
                                                                    : 0;
  if (c.meanwhile == Meanwhile::NotAnswering) {
    sys.sendOutcome = {kErrorTimeout, L""};
    sys.reading = Reading::Never;
  }
  try {
    DeliverAsOneRun([&] {
      Send(L"1");
      Send(L"2");
      if (c.meanwhile == Meanwhile::LogGone) g_settings[LogFileName] = L"gone.txt";
      Send(L"3");
    });
  } catch (const ProgramEnded&) {
  }
  std::string steps;
  for (const std::string& step : sys.trace) {
    for (const char* kind : {"copy", "clipboard:", "another", "message:", "restore:", "end:"})
      if (step.starts_with(kind))
        steps += (steps.empty() ? "" : ", ") + step.substr(0, step.find('\r'));
  }
  EXPECT_EQ(steps, c.expected);
}

using Kind = ClipboardCopy::Kind;
const ClipboardCopy kUsers = {Kind::Whole, {{13, "text"}, {49200, "+private"}}};
const std::string kThree = "copy, clipboard:<1>, clipboard:<2>, clipboard:<3>";
const std::string kFailed = "message:" + Utf8(kDeliveryFailedMessage);

INSTANTIATE_TEST_SUITE_P(
    Decisions, RestoreTest,
    ::testing::Values(
        RestoreCase{"RestoredAfterTheLastItem", kUsers, Meanwhile::Nothing,
                    kThree + ", restore:text+private"},
        RestoreCase{"IncompleteCopyLeavesTheLastCommand", ClipboardCopy{Kind::Incomplete},
                    Meanwhile::Nothing, kThree},
        RestoreCase{"ACommandTextIsNotTheUsers", ClipboardCopy{Kind::CommandText},
                    Meanwhile::Nothing, kThree},
        RestoreCase{"ChangedAfterTheLastItemIsLeftAlone", kUsers, Meanwhile::CopiedAfterLast,
                    kThree + ", another program copies"},
        RestoreCase{"ChangedBetweenItemsIsCopiedAgain", kUsers, Meanwhile::CopiedAfterFirst,
                    "copy, clipboard:<1>, another program copies, copy, clipboard:<2>, "
                    "clipboard:<3>, restore:newer"},
        RestoreCase{"BoxesOfAFailedRunComeFirst", kUsers, Meanwhile::NotAnswering,
                    "copy, clipboard:<1>, " + kFailed + Utf8(NotAnsweringText({770, {}})) + ", " +
                        kFailed + ", message:" + Utf8(HeldBackText(2)) + ", restore:text+private"},
        RestoreCase{
            "AnEndDuringTheRunRestoresFirst", kUsers, Meanwhile::LogGone,
            kThree + ", message:" + Utf8(kFileErrorMessage) + ", restore:text+private, end:1"}),
    [](const ::testing::TestParamInfo<RestoreCase>& info) { return info.param.name; });

TEST_F(SendCommandTest, AnUnusableOptionFailsTheDeliveryBeforeTheTargetIsSought) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  g_program.options.unusable = L"why";
  Send(L"item");
  EXPECT_THAT(sys.trace,
              ElementsAre("turn", "clipboard:<item>", "show", "end turn", Failure(L"why"), "turn",
                          "show", "end turn", Failure(), "turn", "read:log.txt", "clean up:log.txt",
                          "replace:log.txt", "end turn"));
}

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
