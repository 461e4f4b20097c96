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

// The clipboard is shared: by the target, by programs that read every change, by other copies of
// Sendlark, and by the user's own content that may come back after the run.
struct Scenario {
  const char* name;
  int items = 2;  // "one", "two", "three" from one run
  Reading reading = Reading::DuringCommand;
  std::uint32_t lateMs = 300;
  std::optional<std::uint32_t> readsAgainMs{};
  std::uint32_t answerMs = 0;
  std::uint32_t refusal = 0;  // the system's error for the paste request
  bool monitor = false;
  std::optional<std::uint32_t> secondCopyMs{};
  std::uint32_t boxMs = 0;
  bool restore = false;
  ClipboardCopy::Kind users = ClipboardCopy::Kind::Whole;
  int copiedAtCommand = 0;
  // Expected: every read of the clipboard, the boxes, the history and the clipboard at the end,
  // and how long the run took.
  std::string reads{};
  std::string boxes{};
  std::string log{};
  std::string end{};
  std::uint64_t ms = 0;
};

void PrintTo(const Scenario& scenario, std::ostream* out) {
  *out << scenario.name;
}

class ScenarioTest : public SendCommandTest, public ::testing::WithParamInterface<Scenario> {
 protected:
  // A box by what it says: the failure message with its reason, or a message of its own.
  static std::string BoxName(const std::wstring& text) {
    const std::pair<std::wstring, const char*> known[] = {
        {kDeliveryFailedMessage + NotTakenText({770, {}}), "not taken"},
        {kDeliveryFailedMessage + NotAnsweringText({770, {}}), "not answering"},
        {kDeliveryFailedMessage + std::wstring(L"refused"), "refused"},
        {kDeliveryFailedMessage, "failed"},
        {HeldBackText(2), "held back 2"}};
    for (const auto& [said, name] : known) {
      if (text == said) return name;
    }
    return Utf8(text);
  }
  static std::string Joined(const std::vector<std::string>& parts) {
    std::string joined;
    for (const std::string& part : parts)
      joined += (joined.empty() ? "" : ", ") + part;
    return joined;
  }
};

// Only the target's own read ends an item's wait: another program's read is served, and the
// text is offered anew so that the target's read shows too. Nothing replaces an item before that
// read or the wait's bound: not the next item, another copy's, nor the user's clipboard, which
// comes back once the run's last read has settled.
TEST_P(ScenarioTest, EachReaderGetsWhatItShouldAndTheUsersClipboardComesBackLastOfAll) {
  const Scenario& c = GetParam();
  sys.AddWindow(L"TargetClass", L"Target Window");
  sys.reading = c.reading;
  sys.lateMs = c.lateMs;
  sys.readsAgainMs = c.readsAgainMs;
  sys.answerMs = c.answerMs;
  sys.sendOutcome = {c.refusal, L"refused"};
  sys.monitor = c.monitor;
  sys.secondCopyMs = c.secondCopyMs;
  sys.boxMs = c.boxMs;
  sys.usersClipboard = {c.users, {{13, "user text"}}};
  sys.copiedAtCommand = c.copiedAtCommand;
  g_program.options.restoreClipboard = c.restore;
  DeliverAsOneRun([&] {
    for (const wchar_t* item : {L"one", L"two", L"three"}) {
      if (item == std::wstring(L"three") && c.items < 3) break;
      if (item == std::wstring(L"two") && c.items < 2) break;
      Send(item);
    }
  });
  const std::uint64_t ms = sys.now;
  sys.PlayTheRest();
  std::vector<std::string> boxes;
  for (const std::wstring& message : sys.messages)
    boxes.push_back(BoxName(message));
  EXPECT_EQ(Joined(sys.reads), c.reads);
  EXPECT_EQ(Joined(boxes), c.boxes);
  std::string log = sys.ReadFile(L"log.txt");
  log.erase(log.size() - std::string("older\r\n").size());
  EXPECT_EQ(log, c.log);
  EXPECT_EQ(Utf8(sys.ClipboardText()), c.end);
  EXPECT_EQ(ms, c.ms);
}

const std::string kMonitorOne =
    "monitor:<one>, monitor:<one>, monitor:<one>, monitor:<one>, "
    "monitor:<one>";
const std::string kMonitorTwo =
    "monitor:<two>, monitor:<two>, monitor:<two>, monitor:<two>, "
    "monitor:<two>";
const std::string kBoth = "<two>\r\n<one>\r\n";

INSTANTIATE_TEST_SUITE_P(
    Clipboard, ScenarioTest,
    ::testing::Values(
        Scenario{.name = "ReadDuringItsCommandCostsNoWait",
                 .reads = "target:<one>, target:<two>",
                 .log = kBoth,
                 .end = "<two>"},
        Scenario{.name = "ReadThroughNoWindow",
                 .reading = Reading::Unnamed,
                 .reads = "target:<one>, target:<two>",
                 .log = kBoth,
                 .end = "<two>"},
        Scenario{.name = "ReadAMomentLater",
                 .reading = Reading::Late,
                 .reads = "target:<one>, target:<two>",
                 .log = kBoth,
                 .end = "<two>",
                 .ms = 600},
        // Taken back before the boxes, whose message loops would hand it over.
        Scenario{.name = "ReadTooLateGetsNothing",
                 .items = 1,
                 .reading = Reading::Late,
                 .lateMs = 2600,
                 .boxMs = 1000,
                 .reads = "target:",
                 .boxes = "not taken, failed",
                 .log = "<one>\r\n",
                 .ms = 4000},
        Scenario{.name = "NeverRead",
                 .items = 1,
                 .reading = Reading::Never,
                 .boxes = "not taken, failed",
                 .log = "<one>\r\n",
                 .ms = 2000},
        Scenario{.name = "RefusedWithTheSystemsReason",
                 .items = 1,
                 .refusal = 5,
                 .boxes = "refused, failed",
                 .log = "<one>\r\n",
                 .end = "<one>"},
        // A monitor that honours no mark reads every offer at once, the target 300 ms after its
        // command: each item waits out its bound, and the target pastes each its own.
        Scenario{.name = "AMonitorReadsFirst",
                 .reading = Reading::Late,
                 .monitor = true,
                 .reads = kMonitorOne + ", target:<one>, " + kMonitorTwo + ", target:<two>",
                 .log = kBoth,
                 .end = "<two>",
                 .ms = 4000},
        Scenario{.name = "AMonitorReadsFirstAndTheUsersClipboardComesBackAfter",
                 .items = 1,
                 .reading = Reading::Late,
                 .monitor = true,
                 .restore = true,
                 .reads = kMonitorOne + ", target:<one>",
                 .log = "<one>\r\n",
                 .end = "user text",
                 .ms = 2000},
        Scenario{.name = "ATargetThatReadsTwiceGetsTheItemTwice",
                 .items = 1,
                 .readsAgainMs = 150,
                 .restore = true,
                 .reads = "target:<one>, target:<one>",
                 .log = "<one>\r\n",
                 .end = "user text",
                 .ms = 500},
        // It handles its paste command for 15 s; the second copy waits for the turn meanwhile.
        Scenario{.name = "ASecondCopyWaitsForASlowTarget",
                 .items = 1,
                 .answerMs = 15000,
                 .secondCopyMs = 2000,
                 .reads = "target:<one>",
                 .log = "<one>\r\n",
                 .end = "B",
                 .ms = 15000},
        // Its waiting paste commands would read the next items, so they are recorded unsent.
        Scenario{.name = "ATargetThatStopsAnsweringHoldsTheRestBack",
                 .items = 3,
                 .answerMs = 40000,
                 .reads = "target:",
                 .boxes = "not answering, failed, held back 2",
                 .log = "<three>\r\n<two>\r\n<one>\r\n",
                 .ms = 30000},
        // What is left of an item taken back is no user's clipboard: the second copy's item goes
        // there while the boxes are open, and the user's comes back in its place.
        Scenario{.name = "TakenBackWhileASecondCopyDelivers",
                 .items = 1,
                 .reading = Reading::Never,
                 .secondCopyMs = 2500,
                 .boxMs = 1000,
                 .restore = true,
                 .boxes = "not taken, failed",
                 .log = "<one>\r\n",
                 .end = "user text",
                 .ms = 4000},
        Scenario{.name = "AnIncompleteCopyLeavesTheLastItem",
                 .restore = true,
                 .users = ClipboardCopy::Kind::Incomplete,
                 .reads = "target:<one>, target:<two>",
                 .log = kBoth,
                 .end = "<two>"},
        // What another program copies after a read is the user's newer clipboard: copied again
        // before the next item, or left alone after the last.
        Scenario{.name = "CopiedBetweenItemsComesBack",
                 .restore = true,
                 .copiedAtCommand = 1,
                 .reads = "target:<one>, target:<two>",
                 .log = kBoth,
                 .end = "newer",
                 .ms = 500},
        Scenario{.name = "CopiedAfterTheLastItemStays",
                 .restore = true,
                 .copiedAtCommand = 2,
                 .reads = "target:<one>, target:<two>",
                 .log = kBoth,
                 .end = "newer",
                 .ms = 500}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return info.param.name; });

// Before the program ends in the middle of a run, its boxes shown, the user's clipboard is back.
TEST_F(SendCommandTest, AnEndDuringTheRunGivesTheClipboardBackFirst) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  g_program.options.restoreClipboard = true;
  sys.usersClipboard = {ClipboardCopy::Kind::Whole, {{13, "user text"}}};
  EXPECT_EQ(ExpectEnd([&] {
              DeliverAsOneRun([&] {
                Send(L"1");
                g_settings[LogFileName] = L"gone.txt";
                Send(L"2");
              });
            }),
            kFileErrorExitCode);
  EXPECT_EQ(Utf8(sys.ClipboardText()), "user text");
  const auto restored = std::find(sys.trace.begin(), sys.trace.end(), "restore:user text");
  const auto box = std::find_if(sys.trace.begin(), sys.trace.end(), [](const std::string& step) {
    return step.starts_with("message:" + Utf8(kFileErrorMessage));
  });
  EXPECT_LT(box, restored);
  EXPECT_EQ(restored + 1, std::find(sys.trace.begin(), sys.trace.end(), "end:1"));
}

// A setting the user did not mean leaves the user's clipboard as it was.
TEST_F(SendCommandTest, AnUnusableOptionFailsTheDeliveryBeforeTheClipboardIsTouched) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  g_program.options.unusable = L"why";
  g_program.options.restoreClipboard = true;
  Send(L"item");
  EXPECT_THAT(sys.trace, ElementsAre("turn", "show", "end turn", Failure(L"why"), "turn", "show",
                                     "end turn", Failure(), "turn", "read:log.txt",
                                     "clean up:log.txt", "replace:log.txt", "end turn"));
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
