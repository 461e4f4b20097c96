// Deliveries of the real program to a real target: our recorder and Wine's notepad.
#include <gmock/gmock.h>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

using ::testing::ElementsAre;
using DeliveryTest = SendlarkTest;

TEST_F(DeliveryTest, CommandLineItemArrivesFramedAndIsRecorded) {
  Config config = RecorderConfig();
  config.header = L"<<";
  config.footer = L">>\\n";
  WriteConfig(config);
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"C:\\a b\\file.txt");
  ASSERT_NE(WaitForStrip(*sendlark), nullptr);
  EXPECT_THAT(WaitForRecords(1), ElementsAre(L"<<C:\\a b\\file.txt>>\r\n"));
  EXPECT_THAT(WaitForLogLines(1), ElementsAre("<<C:\\a b\\file.txt>>\\n"));
}

// Each paste must see its own item even when the target is slow to handle the command: the
// next item may only replace the clipboard once the target has pasted.
TEST_F(DeliveryTest, LinesOfTheArgumentTextArriveAsSeparateItemsInOrder) {
  Config config = RecorderConfig();
  config.header = L"[";
  config.footer = L"]";
  WriteConfig(config);
  auto recorder = StartRecorder(200);
  auto sendlark = StartSendlark(L"one\r\ntwo\r\nthree");
  ASSERT_NE(WaitForStrip(*sendlark), nullptr);
  EXPECT_THAT(WaitForRecords(3), ElementsAre(L"[one]", L"[two]", L"[three]"));
  EXPECT_THAT(WaitForLogLines(3), ElementsAre("[three]", "[two]", "[one]"));
}

TEST_F(DeliveryTest, MissingTargetShowsTheMessageAndStillRecords) {
  WriteConfig(RecorderConfig());  // no recorder is running
  auto sendlark = StartSendlark(L"lost item");
  const auto box = WaitForMessageBox(sendlark->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, L"Sendlark");
  EXPECT_EQ(box->text, kFailureMessage);
  // The strip is shown before the message, although start-up has not finished.
  EXPECT_NE(FindProcessWindow(sendlark->Id(), kStripClass), nullptr);
  PressOk(*box);
  EXPECT_TRUE(WaitUntil([&] { return LogLines() == std::vector<std::string>{"lost item"}; }));
  EXPECT_TRUE(sendlark->Running());
}

TEST_F(DeliveryTest, UnusablePasteIdentifierShowsTwoMessagesAndPastesNothing) {
  Config config = RecorderConfig();
  config.paste = L"abc";
  WriteConfig(config);
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"item");
  ExpectPasteFailureBoxes(*sendlark);
  EXPECT_TRUE(WaitUntil([&] { return LogLines() == std::vector<std::string>{"item"}; }));
  EXPECT_TRUE(ReadRecords(recordFile).empty());
}

TEST_F(DeliveryTest, SecondCopyDeliversItsItemsAndEnds) {
  Config config = RecorderConfig();
  config.footer = L"!";
  WriteConfig(config);
  auto recorder = StartRecorder();
  auto first = StartSendlark();
  ASSERT_NE(WaitForStrip(*first), nullptr);
  auto second = StartSendlark(L"from the second copy");
  EXPECT_EQ(second->WaitForExit(), 0u);
  EXPECT_THAT(ReadRecords(recordFile), ElementsAre(L"from the second copy!"));
  EXPECT_THAT(WaitForLogLines(1), ElementsAre("from the second copy!"));
  EXPECT_TRUE(first->Running());
}

TEST_F(DeliveryTest, NotepadReceivesTheItem) {
  Config config;
  const HWND window = StartNotepad(config);
  ASSERT_NE(window, nullptr);
  config.header = L"[";
  config.footer = L"]";
  WriteConfig(config);
  auto sendlark = StartSendlark(L"first\r\nsecond");
  ASSERT_NE(WaitForStrip(*sendlark), nullptr);
  HWND edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == L"[first][second]"; }))
      << Utf8(WindowText(edit));
  // Notepad reads while it handles its paste command: each paste is confirmed, without a box.
  EXPECT_THAT(WaitForLogLines(2), ElementsAre("[second]", "[first]"));
  EXPECT_EQ(FindProcessWindow(sendlark->Id(), L"#32770"), nullptr);
}

TEST_F(DeliveryTest, JapaneseTextTravelsThroughShiftJisFiles) {
  if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
  recorderTitle = L"記録係 " + recorderTitle;  // found through its Shift-JIS title
  Config config = RecorderConfig();
  config.header = L"表示：\\n";  // the second byte of 表 is a backslash in Shift-JIS
  config.footer = L"ソ";
  WriteConfig(config);
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"ファイル.txt");
  ASSERT_NE(WaitForStrip(*sendlark), nullptr);
  EXPECT_THAT(WaitForRecords(1), ElementsAre(L"表示：\r\nファイル.txtソ"));
  WaitForLogLines(1);
  EXPECT_EQ(folder.Read(L"log.txt"),
            "\x95\x5c\x8e\xa6\x81\x46\\n\x83\x74\x83\x40\x83\x43\x83\x8b.txt\x83\x5c\r\n");
}

}  // namespace
}  // namespace sendlark::harness
