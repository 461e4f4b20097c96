#include "app/frm_drag.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <new>

#include "app/event_dispatch.h"
#include "config/file_io.h"
#include "state/program_state.h"
#include "tests/fake/fake_platform.h"

namespace sendlark::testing {
namespace {

using ::testing::ElementsAre;

class WindowEventsTest : public FakePlatformTest {
 protected:
  void SetUp() override {
    FakePlatformTest::SetUp();
    UseRunningTarget();
    g_settings[ApplicationPath] = L"C:\\Tools\\target.exe";
    g_settings[CommandHeader] = L"<";
    g_settings[CommandFooter] = L">";
  }
};

TEST_F(WindowEventsTest, OnlyALeftPressStartsADragWhateverTheModifiers) {
  for (short button : {short{kRightButton}, short{kMiddleButton}, short{0}}) {
    Form_MouseDown(button, 0, 0, 0);
  }
  EXPECT_EQ(sys.drags, 0);
  Form_MouseDown(kLeftButton, 0, 10, 10);
  Form_MouseDown(kLeftButton, 1 | 2 | 4, 10, 10);
  Form_MouseDown(kLeftButton | kRightButton, 0, 10, 10);
  EXPECT_EQ(sys.drags, 3);
}

TEST_F(WindowEventsTest, ToolbarButtonsDispatchByIndex) {
  Toolbar_ButtonClick(1);
  EXPECT_EQ(sys.started.at(0).commandLine, L"C:\\Tools\\target.exe");
  Toolbar_ButtonClick(2);
  EXPECT_THAT(sys.clipboardWrites, ElementsAre(L""));  // nothing delivered yet: empty text
  Toolbar_ButtonClick(3);
  EXPECT_EQ(sys.popups.size(), 1u);
  sys.trace.clear();
  for (int index : {0, 4, -1})
    Toolbar_ButtonClick(index);
  EXPECT_TRUE(sys.trace.empty());
}

TEST_F(WindowEventsTest, DroppedFilesAreDeliveredOneByOneInTheirOrder) {
  DropEvent drop;
  drop.files = {L"C:\\b.txt", L"C:\\a b.txt", L"C:\\c.txt"};
  drop.effect = 1;
  Toolbar_OLEDragDrop(drop);
  ASSERT_EQ(sys.sent.size(), 3u);
  EXPECT_EQ(sys.sent[0].clipboard, L"<C:\\b.txt>");
  EXPECT_EQ(sys.sent[1].clipboard, L"<C:\\a b.txt>");
  EXPECT_EQ(sys.sent[2].clipboard, L"<C:\\c.txt>");
  EXPECT_EQ(Utf8(mnu_sub_sub_log[1].caption), "<C:\\c.txt>");
  EXPECT_EQ(drop.effect, 1) << "the drop effect is left alone";
}

TEST_F(WindowEventsTest, ADropWithoutFilesDeliversNothing) {
  DropEvent drop;
  Toolbar_OLEDragDrop(drop);
  EXPECT_TRUE(sys.trace.empty());
}

TEST_F(WindowEventsTest, EachDroppedFileIsDeliveredEvenWhenOneFails) {
  sys.windows.clear();
  DropEvent drop;
  drop.files = {L"a", L"b"};
  Toolbar_OLEDragDrop(drop);
  EXPECT_EQ(sys.clipboardWrites.size(), 2u);
  EXPECT_EQ(sys.messages.size(), 2u);
}

struct LaunchCase {
  const char* name;
  std::wstring path;        // "@" stands for the program's folder, here and in what is started
  const wchar_t* existing;  // the file there, if any
  std::wstring application;
  std::wstring commandLine;
};

class LaunchStartTest : public FakePlatformTest, public ::testing::WithParamInterface<LaunchCase> {
 protected:
  std::wstring InFolder(std::wstring text) {
    if (const std::size_t at = text.find(L'@'); at != std::wstring::npos) {
      text.replace(at, 1, sys.ProgramFolder());
    }
    return text;
  }
};

// The test's current folder is not the program's: a relative path must be looked for in the
// latter, where the system looks for it too.
TEST_P(LaunchStartTest, AWholeExistingFileNameIsTheApplicationAndIsQuoted) {
  const LaunchCase& c = GetParam();
  if (c.existing != nullptr) sys.WriteFile(c.existing, "");
  const ProgramStart start = LaunchStart(InFolder(c.path));
  EXPECT_EQ(Utf8(start.application), Utf8(InFolder(c.application)));
  EXPECT_EQ(Utf8(start.commandLine), Utf8(InFolder(c.commandLine)));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LaunchStartTest,
    ::testing::Values(
        LaunchCase{"ExistingWithBlanks", L"@/my tool.exe", L"my tool.exe", L"@/my tool.exe",
                   L"\"@/my tool.exe\""},
        LaunchCase{"RelativeInTheProgramsFolder", L"my tool.exe", L"my tool.exe", L"@\\my tool.exe",
                   L"\"@\\my tool.exe\""},
        LaunchCase{"WithArguments", L"@/tool.exe /x file", L"tool.exe", L"", L"@/tool.exe /x file"},
        LaunchCase{"AlreadyQuoted", L"\"C:\\a b\\t.exe\" x", nullptr, L"", L"\"C:\\a b\\t.exe\" x"},
        LaunchCase{"Missing", L"C:\\missing.exe", nullptr, L"", L"C:\\missing.exe"},
        LaunchCase{"Empty", L"", nullptr, L"", L""}),
    [](const ::testing::TestParamInfo<LaunchCase>& info) { return info.param.name; });

TEST_F(WindowEventsTest, FailedStartShowsTheSystemsDescriptionAlone) {
  sys.startError = L"The system cannot find the file specified.";
  LaunchApplication(L"C:\\missing.exe");
  EXPECT_THAT(sys.messages, ElementsAre(L"The system cannot find the file specified."));
}

TEST_F(WindowEventsTest, EndItemEndsAtOnceWithoutWriting) {
  EXPECT_EQ(ExpectEnd([] { mnu_sub_end_Click(); }), kEndExitCode);
  EXPECT_THAT(sys.trace, ElementsAre("end:0"));
}

// Another program may send any id: what the menu does not offer (a hidden entry with a stale
// caption, a separator, the anchors) is not carried out.
TEST_F(WindowEventsTest, CommandIdsReachTheirHandlersOnlyForWhatTheMenuOffers) {
  mnu_sub_sub_log[2] = {L"history two", true};
  mnu_sub_sub_log[3] = {L"stale", false};
  mnu_sub_command.push_back({L"command one", true});
  mnu_sub_command.push_back({L"-", true});
  mnu_sub_command.push_back({L"hidden", false});
  for (const int id : {+kIdHistoryBase, kIdHistoryBase + 3, kIdHistoryBase + 4, +kIdCommandBase,
                       kIdCommandBase + 2, kIdCommandBase + 3, kIdCommandBase + 4})
    OnCommand(id);
  EXPECT_TRUE(sys.clipboardWrites.empty());
  OnCommand(kIdHistoryBase + 2);
  OnCommand(kIdCommandBase + 1);
  OnCommand(kIdToolbarButtonBase + 1);
  OnCommand(kIdReplay);
  EXPECT_THAT(sys.clipboardWrites,
              ElementsAre(L"history two", L"command one\r\n", L"command one\r\n"));
  EXPECT_EQ(sys.started.size(), 1u);
  EXPECT_EQ(ExpectEnd([] { OnCommand(kIdEnd); }), kEndExitCode);
}

TEST_F(WindowEventsTest, AChoiceFromThePopupIsCarriedOutBeforeTheClickEnds) {
  mnu_sub_sub_log[1] = {L"again", true};
  sys.popupChoices = {kIdHistoryBase + 1};
  Toolbar_ButtonClick(3);
  EXPECT_THAT(sys.clipboardWrites, ElementsAre(L"again"));
}

// Another program may send the strip a command while a delivery waits for its target to read:
// it is carried out once that delivery has ended, never inside it.
TEST_F(WindowEventsTest, ACommandThatArrivesWhileADeliveryWaitsFollowsIt) {
  FrmDragEvents events;
  mnu_sub_sub_log[1] = {L"first", true};
  mnu_sub_sub_log[2] = {L"second", true};
  sys.reading = Reading::Late;
  sys.whileWaiting = [&] {
    events.Command(kIdHistoryBase + 2);
    events.MouseDown(kLeftButton, 0, 0, 0);  // no drag: the button is long released by then
  };
  events.Command(kIdHistoryBase + 1);
  EXPECT_THAT(sys.clipboardWrites, ElementsAre(L"first", L"second"));
  const auto firstEnds = std::find(sys.trace.begin(), sys.trace.end(), "replace:log.txt");
  const auto secondStarts = std::find(sys.trace.begin(), sys.trace.end(), "clipboard:second");
  EXPECT_LT(firstEnds, secondStarts);
  EXPECT_EQ(sys.drags, 0);
  events.MouseDown(kLeftButton, 0, 0, 0);
  EXPECT_EQ(sys.drags, 1);
}

TEST_F(WindowEventsTest, WhatEscapesAnEventEndsTheProgramWithAMessage) {
  EXPECT_EQ(ExpectEnd([] { HandleEvent([] { throw std::bad_alloc(); }); }), kFileErrorExitCode);
  EXPECT_THAT(sys.messages,
              ElementsAre(std::wstring(kFileErrorMessage) + L"\r\n" + kOutOfMemoryText));
}

}  // namespace
}  // namespace sendlark::testing
