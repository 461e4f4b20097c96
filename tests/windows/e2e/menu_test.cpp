// The popup menu of the real program, used from the keyboard: command entries, refreshing
// them, and the history submenu.
#include <gmock/gmock.h>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

using ::testing::ElementsAre;

class MenuTest : public SendlarkTest {
 protected:
  void Start() {
    Config config = RecorderConfig();
    config.header = L"HEADER";  // not used for command entries
    config.footer = L"FOOTER";
    WriteConfig(config);
    recorder = StartRecorder();
    sendlark = StartSendlark();
    strip = WaitForStrip(*sendlark);
    ASSERT_NE(strip, nullptr);
  }
  std::wstring At(int dx, int dy) const {
    RECT rect = {};
    GetWindowRect(strip, &rect);
    return std::to_wstring(rect.left + dx) + L" " + std::to_wstring(rect.top + dy);
  }
  // Opens the popup with toolbar button 3, then types the keys.
  void ChooseFromPopup(const std::wstring& keys) {
    Xdotool(L"mousemove " + At(8 + 46 + 11, 11) + L" sleep 0.1 click 1");
    ASSERT_TRUE(WaitUntil([&] { return FindProcessWindow(sendlark->Id(), L"#32768"); }));
    Xdotool(L"key --delay 80 " + keys);
  }

  std::unique_ptr<Process> recorder;
  std::unique_ptr<Process> sendlark;
  HWND strip = nullptr;
};

// From the top: refresh, resend, history, (separator), the command entries.
constexpr wchar_t kToSecondCommand[] = L"Down Down Down Down Down Return";

TEST_F(MenuTest, ChoosingACommandEntryDeliversItsLineAndALineBreak) {
  folder.Write(L"commands.txt", "first line\r\nsecond & more\r\n\r\nnot shown\r\n");
  Start();
  ChooseFromPopup(kToSecondCommand);
  EXPECT_THAT(WaitForRecords(1), ElementsAre(L"second & more\r\n"));
  EXPECT_THAT(WaitForLogLines(1), ElementsAre("second & more\\n"));
}

TEST_F(MenuTest, CtrlRRebuildsBothMenusFromTheirEditedFiles) {
  folder.Write(L"commands.txt", "old\r\n");
  Start();
  folder.Write(L"commands.txt", "new one\r\nnew two\r\n");
  std::string log;
  for (int line = 1; line <= 12; ++line)
    log += "entry\r\n";
  folder.Write(L"log.txt", log);
  // A click on a grip makes the strip the active window; the shortcut then reaches it.
  Xdotool(L"mousemove " + At(2, 5) + L" click 1");
  Xdotool(L"key ctrl+r");
  // The refresh reads the history again and writes back at most ten entries.
  ASSERT_TRUE(WaitUntil([&] { return LogLines().size() == 10; })) << LogLines().size();
  ChooseFromPopup(kToSecondCommand);
  EXPECT_THAT(WaitForRecords(1), ElementsAre(L"new two\r\n"));
}

TEST_F(MenuTest, ChoosingAHistoryEntryDeliversItAgainAndPutsItFirst) {
  folder.Write(L"log.txt", "newest\r\nolder\\n\r\n");
  Start();
  // Into the history submenu, past its heading and separator, to the second entry.
  ChooseFromPopup(L"Down Down Down Right Down Down Return");
  EXPECT_THAT(WaitForRecords(1), ElementsAre(L"older\r\n"));
  EXPECT_THAT(WaitForLogLines(3), ElementsAre("older\\n", "newest", "older\\n"));
}

// The history keeps an entry outside the code page exactly, and resends it so.
TEST_F(MenuTest, UnicodeHistoryEntryIsResentExactly) {
  const std::wstring entry = L"résumé Ωmega 表 🙂\\n";
  folder.Write(L"log.txt", "\xEF\xBB\xBF" + Utf8(entry + L"\r\n"));
  Start();
  ChooseFromPopup(L"Down Down Down Right Down Return");
  EXPECT_THAT(WaitForRecords(1), ElementsAre(L"résumé Ωmega 表 🙂\r\n"));
  EXPECT_TRUE(WaitUntil([&] {
    return folder.Read(L"log.txt") == "\xEF\xBB\xBF" + Utf8(entry + L"\r\n" + entry + L"\r\n");
  }));
}

}  // namespace
}  // namespace sendlark::harness
