// A delivery counts once the target has read the text: targets that never read it are reported,
// and targets that read it late still get each item's own text.
#include <gmock/gmock.h>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ConfirmedDeliveryTest = SendlarkTest;

bool ShowsAMessageBox(const Process& process) {
  return FindProcessWindow(process.Id(), L"#32770") != nullptr;
}

TEST_F(ConfirmedDeliveryTest, NotepadWithAWrongPasteNumberShowsTheBoxesAndStaysEmpty) {
  Config config;
  const HWND window = StartNotepad(config);
  ASSERT_NE(window, nullptr);
  config.paste = L"9999";
  WriteConfig(config);
  auto sendlark = StartSendlark(L"lost item");
  const auto first = WaitForMessageBox(sendlark->Id());
  ASSERT_TRUE(first);
  EXPECT_THAT(Utf8(first->text), HasSubstr("9999")) << "the reason names the paste number";
  ExpectPasteFailureBoxes(*sendlark);
  EXPECT_TRUE(WaitUntil([&] { return LogLines() == std::vector<std::string>{"lost item"}; }));
  EXPECT_EQ(WindowText(FindWindowExW(window, nullptr, L"Edit", nullptr)), L"");
}

TEST_F(ConfirmedDeliveryTest, TargetThatNeverReadsGetsTheBoxesAndTheItemIsRecorded) {
  WriteConfig(RecorderConfig());
  auto recorder = StartRecorder(0, L"never");
  auto sendlark = StartSendlark(L"item");
  ExpectPasteFailureBoxes(*sendlark);
  EXPECT_TRUE(WaitUntil([&] { return LogLines() == std::vector<std::string>{"item"}; }));
  EXPECT_TRUE(ReadRecords(recordFile).empty());
  EXPECT_TRUE(sendlark->Running());
}

// Such a target answers its paste command at once and reads a moment later: each item stays on
// the clipboard until it has.
TEST_F(ConfirmedDeliveryTest, TargetThatReadsLaterGetsEveryItemInOrder) {
  Config config = RecorderConfig();
  config.header = L"[";
  config.footer = L"]";
  WriteConfig(config);
  auto recorder = StartRecorder(300, L"later");
  auto sendlark = StartSendlark(L"one\r\ntwo\r\nthree");
  ASSERT_NE(WaitForStrip(*sendlark), nullptr);
  EXPECT_THAT(ReadRecords(recordFile), ElementsAre(L"[one]", L"[two]", L"[three]"));
  EXPECT_THAT(LogLines(), ElementsAre("[three]", "[two]", "[one]"));
  EXPECT_FALSE(ShowsAMessageBox(*sendlark));
}

// Nothing asked for the text before the copy ended; the clipboard holds it all the same.
TEST_F(ConfirmedDeliveryTest, SecondCopyLeavesItsTextOnTheClipboardWhenItEnds) {
  WriteConfig(RecorderConfig());  // no recorder is running
  auto first = StartSendlark();
  ASSERT_NE(WaitForStrip(*first), nullptr);
  const std::wstring item = L"left on the clipboard " + recorderClass;
  auto second = StartSendlark(item);
  const auto box = WaitForMessageBox(second->Id());
  ASSERT_TRUE(box);
  PressOk(*box);
  EXPECT_EQ(second->WaitForExit(), 0u);
  EXPECT_EQ(ClipboardText(), item);
}

TEST_F(ConfirmedDeliveryTest, WineConsoleRunsThePastedCommandWithNoBox) {
  const WineConsole console(folder.Path());
  ASSERT_NE(console.Window(), nullptr);
  Config config;
  config.className = WineConsole::kClass;
  config.name = WindowText(console.Window());
  config.paste = L"274";  // Paste in its window menu
  config.footer = L"\\n";
  WriteConfig(config);
  auto sendlark = StartSendlark(L"echo pasted>console.txt & exit");
  EXPECT_TRUE(WaitUntil([&] { return folder.Exists(L"console.txt"); }));
  EXPECT_THAT(WaitForLogLines(1), ElementsAre("echo pasted>console.txt & exit\\n"));
  EXPECT_FALSE(ShowsAMessageBox(*sendlark));
}

}  // namespace
}  // namespace sendlark::harness
