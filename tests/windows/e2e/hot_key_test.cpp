// The hot key of the real program, pressed through the X server while another program has the
// focus, and those that cannot be had.
#include <gmock/gmock.h>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

class HotKeyTest : public SendlarkTest {
 protected:
  void Start(const std::wstring& hotKey) {
    folder.Write(L"commands.txt", "a command\r\n");
    Config config = RecorderConfig();
    config.more = L":HotKey=" + hotKey + L";";
    WriteConfig(config);
    sendlark = StartSendlark();
  }
  bool MenuOpen() const { return FindProcessWindow(sendlark->Id(), L"#32768") != nullptr; }
  // Under Xvfb without a window manager the keyboard goes to the window under the pointer, and
  // Wine sees only what goes to its own windows.
  void PointAt(HWND window, int dx, int dy) {
    RECT area = {};
    GetWindowRect(window, &area);
    const POINT at = {area.left + dx, area.top + dy};
    Xdotool(L"mousemove " + std::to_wstring(at.x) + L" " + std::to_wstring(at.y));
    ASSERT_TRUE(WaitUntil([&] {
      POINT now = {};
      return GetCursorPos(&now) && now.x == at.x && now.y == at.y;
    }));
  }
  // In the open menu, the entry below refresh, resend, the history and a separator.
  void ChooseTheCommand() {
    ASSERT_TRUE(WaitUntil([&] { return MenuOpen(); }));
    Xdotool(L"key --delay 80 Down Down Down Down Return");
    EXPECT_THAT(WaitForRecords(1), ElementsAre(L"a command\r\n"));
  }
  // The test program is the other program that may hold Ctrl+Alt+S.
  void TearDown() override { UnregisterHotKey(nullptr, 1); }

  std::unique_ptr<Process> sendlark;
};

TEST_F(HotKeyTest, OpensTheMenuWithTheKeyboardInItAndGivesTheFocusBackWhenDismissed) {
  Start(L"ctrl + alt + S");
  ASSERT_NE(WaitForStrip(*sendlark), nullptr);
  const auto recorder = StartRecorder();  // opened last, the window the user works in
  const HWND target = FindProcessWindow(recorder->Id(), recorderClass);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == target; }));
  PointAt(target, 40, 40);
  Xdotool(L"key ctrl+alt+s");
  ASSERT_TRUE(WaitUntil([&] { return MenuOpen(); }));
  Xdotool(L"key Escape");
  EXPECT_TRUE(WaitUntil([&] { return !MenuOpen() && GetForegroundWindow() == target; }));
  Xdotool(L"key ctrl+alt+s");
  ChooseTheCommand();
}

struct UnavailableCase {
  std::wstring written;
  std::wstring shown;  // in the box
};

class UnavailableHotKeyTest : public HotKeyTest,
                              public ::testing::WithParamInterface<UnavailableCase> {};

TEST_P(UnavailableHotKeyTest, IsToldOnceAndTheStripWorksByMouseWithoutIt) {
  ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, 'S'));
  const auto recorder = StartRecorder();
  Start(GetParam().written);
  const auto box = WaitForMessageBox(sendlark->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, L"Sendlark");
  const std::wstring named = L"ホットキーを登録できませんでした: " + GetParam().shown;
  EXPECT_THAT(box->text, StartsWith(named + L"\r\n"));
  EXPECT_GT(box->text.size(), named.size() + 2) << "the reason follows";
  PressOk(*box);
  const HWND strip = WaitForStrip(*sendlark);
  ASSERT_NE(strip, nullptr);
  PointAt(strip, 65, 11);  // toolbar button 3
  Xdotool(L"click 1");
  ChooseTheCommand();
  // A second copy delivers and ends without trying, so without a box of its own.
  EXPECT_EQ(StartSendlark()->WaitForExit(), 0u);
}

// Held by another program, no combination, a paste shortcut that Sendlark's own paste would
// press, and a value far longer than a box could show.
INSTANTIATE_TEST_SUITE_P(HeldOrNotACombination, UnavailableHotKeyTest,
                         ::testing::Values(UnavailableCase{L"Ctrl+Alt+S", L"Ctrl+Alt+S"},
                                           UnavailableCase{L"Ctrl+Alt+Esc", L"Ctrl+Alt+Esc"},
                                           UnavailableCase{L"Ctrl+V", L"Ctrl+V"},
                                           UnavailableCase{
                                               L"Ctrl+" + std::wstring(2000000, L'A'),
                                               L"Ctrl+" + std::wstring(94, L'A') + L"…"}));

}  // namespace
}  // namespace sendlark::harness
