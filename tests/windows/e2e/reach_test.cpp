// Targets reached through a title that carries a document's name, and through the paste
// message or the paste shortcut instead of a paste command.
#include <gmock/gmock.h>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

using ::testing::ElementsAre;
using ReachTest = SendlarkTest;

std::wstring EditText(HWND notepad) {
  return WindowText(FindWindowExW(notepad, nullptr, L"Edit", nullptr));
}

// Its title names the file it has open, which the user changes; the mode finds it whatever
// the file.
TEST_F(ReachTest, NotepadWithAFileOpenIsFedThroughPartOfItsTitle) {
  folder.Write(L"report.txt", "");
  notepad = std::make_unique<Process>(L"notepad.exe report.txt", folder.Path());
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (window = FindProcessWindow(notepad->Id(), L"Notepad")) != nullptr &&
           WindowText(window).find(L"report.txt") != std::wstring::npos;
  }));
  Config config;
  config.className = L"Notepad";
  config.name = L"REPORT.TXT";
  config.paste = L"275";
  config.more = L":TitleMatch=contains;";
  WriteConfig(config);
  auto sendlark = StartSendlark(L"through the title");
  EXPECT_TRUE(WaitUntil([&] { return EditText(window) == L"through the title"; }));
  EXPECT_THAT(WaitForLogLines(1), ElementsAre("through the title"));
}

TEST_F(ReachTest, NotepadIsFedThroughThePasteMessageToItsEditControl) {
  Config config;
  const HWND window = StartNotepad(config);
  ASSERT_NE(window, nullptr);
  config.paste = L"wm_paste";
  WriteConfig(config);
  auto sendlark = StartSendlark(L"through WM_PASTE");
  EXPECT_TRUE(WaitUntil([&] { return EditText(window) == L"through WM_PASTE"; }));
  EXPECT_THAT(WaitForLogLines(1), ElementsAre("through WM_PASTE"));
  EXPECT_NE(WaitForStrip(*sendlark), nullptr);
  EXPECT_FALSE(FindProcessWindow(sendlark->Id(), L"#32770")) << "confirmed by the read";
}

TEST_F(ReachTest, RecorderIsFedThroughThePasteShortcut) {
  Config config = RecorderConfig();
  config.paste = L"Ctrl+V";
  WriteConfig(config);
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"one\r\ntwo");
  EXPECT_THAT(WaitForRecords(2), ElementsAre(L"one", L"two"));
  EXPECT_NE(WaitForStrip(*sendlark), nullptr);
  EXPECT_FALSE(FindProcessWindow(sendlark->Id(), L"#32770")) << "confirmed by the read";
}

// The user clicked the strip of a first copy, so it is in front; a second copy brings the target
// forward, and the target hands the focus to its rich edit a moment later. The paste waits for
// that: sent before, it would reach the frame, which ignores it.
TEST_F(ReachTest, SecondCopysPasteMessageReachesTheFocusedRichEditWhileTheStripIsInFront) {
  Config config = RecorderConfig();
  config.paste = L"WM_PASTE";
  WriteConfig(config);
  auto recorder = StartRecorder(300, L"rich-edit");
  const HWND field = FindWindowExW(FindProcessWindow(recorder->Id(), recorderClass), nullptr,
                                   L"RICHEDIT50W", nullptr);
  ASSERT_NE(field, nullptr);
  auto first = StartSendlark(L"alpha");
  const HWND strip = WaitForStrip(*first);
  ASSERT_NE(strip, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return WindowText(field) == L"alpha"; }));
  RECT rect = {};
  GetWindowRect(strip, &rect);
  Xdotool(L"mousemove " + std::to_wstring(rect.left + 2) + L" " + std::to_wstring(rect.top + 5) +
          L" click 1");  // a grip
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == strip; }));
  auto second = StartSendlark(L"bravo\r\ncharlie");
  EXPECT_EQ(second->WaitForExit(), 0u) << "no failure boxes";
  EXPECT_EQ(WindowText(field), L"alphabravocharlie");
}

// A copy in another folder has its own strip; a Config.ini naming it, or this copy's own strip,
// gets the message that the target was not found. The two copies never wait for each other's
// delivery lock, and no strip sends itself its resend command (201) over and over, pushing every
// older entry out of the history.
TEST_F(ReachTest, NoCopysStripIsFound) {
  folder.Write(L"log.txt", "older\r\n");
  const TempFolder other;
  WriteConfig(RecorderConfig());
  CopyInstallation(other);
  Process running(L"\"" + other.File(L"Sendlark.exe") + L"\"", other.Path());
  ASSERT_NE(WaitForStrip(running), nullptr);

  Config config;
  config.className = kStripClass;
  config.name = L"Sendlark";
  config.paste = L"201";
  WriteConfig(config);
  auto sendlark = StartSendlark(L"item");
  const auto box = WaitForMessageBox(sendlark->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, kFailureMessage) << "alone: not found";
  PressOk(*box);
  EXPECT_THAT(WaitForLogLines(2), ElementsAre("item", "older"));
  EXPECT_FALSE(WaitForMessageBox(sendlark->Id(), std::chrono::milliseconds(1500)));
  EXPECT_THAT(LogLines(), ElementsAre("item", "older"));
}

}  // namespace
}  // namespace sendlark::harness
