// The strip as a user sees and uses it: pixels, pointer, keyboard, drops and the toolbar.
#include <gmock/gmock.h>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

using ::testing::ElementsAre;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);

class WindowTest : public SendlarkTest {
 protected:
  // Starts Sendlark aimed at a running recorder and waits for its strip.
  void StartWithRecorder(const std::wstring& arguments = L"", Config config = {}) {
    if (config.name.empty()) config = RecorderConfig();
    WriteConfig(config);
    recorder = StartRecorder();
    sendlark = StartSendlark(arguments);
    strip = WaitForStrip(*sendlark);
    ASSERT_NE(strip, nullptr);
  }
  RECT StripRect() const {
    RECT rect = {};
    GetWindowRect(strip, &rect);
    return rect;
  }
  // The centre of toolbar button `index` (1 to 3) in screen coordinates.
  POINT ButtonCentre(int index) const {
    const RECT rect = StripRect();
    return {rect.left + 8 + (index - 1) * 23 + 11, rect.top + 11};
  }
  void Click(POINT point) {
    // The pointer rests on the spot a moment before the press, as a user's would.
    Xdotool(L"mousemove " + std::to_wstring(point.x) + L" " + std::to_wstring(point.y) +
            L" sleep 0.1 click 1");
  }
  void ClickButton(int index) { Click(ButtonCentre(index)); }
  // The open popup menu of the program, if any.
  HWND PopupMenu() const { return FindProcessWindow(sendlark->Id(), L"#32768"); }

  std::unique_ptr<Process> recorder;
  std::unique_ptr<Process> sendlark;
  HWND strip = nullptr;
};

TEST_F(WindowTest, GripsAreDrawnInTheirColumnsAndTheToolbarCoversTheMiddle) {
  StartWithRecorder();
  Sleep(300);  // let the first paint land
  const RECT rect = StripRect();
  ASSERT_EQ(rect.right - rect.left, 88);
  ASSERT_EQ(rect.bottom - rect.top, 22);
  const std::vector<COLORREF> pixels = CaptureScreen(rect);
  const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * 88 + x]; };
  // Light and shadow lines alternate in both grips; Line2 at x = 80 lies under the toolbar.
  const struct {
    int x;
    COLORREF colour;
  } columns[] = {{0, kWhite}, {1, kGrey},   {2, kWhite}, {3, kGrey},   {4, kWhite},
                 {5, kGrey},  {6, kWhite},  {7, kGrey},  {81, kGrey},  {82, kWhite},
                 {83, kGrey}, {84, kWhite}, {85, kGrey}, {86, kWhite}, {87, kGrey}};
  for (const auto& column : columns) {
    for (int y = 0; y < 22; ++y) {
      ASSERT_EQ(at(column.x, y), column.colour) << "x " << column.x << ", y " << y;
    }
  }
  for (int x : {8, 79, 80}) {
    EXPECT_EQ(at(x, 21), GetSysColor(COLOR_BTNFACE)) << "toolbar background at x " << x;
  }
}

// Start-up feeds the window the user works in, then shows the strip above it without taking the
// keyboard away: the next key the user types still goes there.
TEST_F(WindowTest, StripIsShownTopmostWithoutTakingTheFocusFromTheTarget) {
  StartWithRecorder(L"item");
  EXPECT_THAT(WaitForRecords(1), ElementsAre(L"item"));
  ASSERT_TRUE(WaitUntil([&] { return (GetWindowLongW(strip, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
  EXPECT_EQ(GetForegroundWindow(), FindProcessWindow(recorder->Id(), recorderClass));
}

TEST_F(WindowTest, HoveringAButtonShowsItsToolTip) {
  StartWithRecorder();
  const POINT centre = ButtonCentre(2);
  Xdotool(L"mousemove " + std::to_wstring(centre.x) + L" " + std::to_wstring(centre.y));
  EXPECT_TRUE(
      WaitUntil([&] { return FindProcessWindow(sendlark->Id(), L"tooltips_class32") != nullptr; }));
}

TEST_F(WindowTest, LeftDragOnAGripMovesTheStripAndOtherButtonsDoNot) {
  StartWithRecorder();
  const RECT before = StripRect();
  const std::wstring grip =
      std::to_wstring(before.right - 3) + L" " + std::to_wstring(before.top + 10);
  Xdotool(L"mousemove " + grip + L" mousedown 3 sleep 0.2 mousemove 300 400 sleep 0.2 mouseup 3");
  Xdotool(L"mousemove " + grip + L" mousedown 2 sleep 0.2 mousemove 300 400 sleep 0.2 mouseup 2");
  Sleep(300);
  EXPECT_EQ(StripRect().left, before.left);
  EXPECT_EQ(StripRect().top, before.top);

  Xdotool(L"mousemove " + grip +
          L" keydown shift mousedown 1 sleep 0.2 mousemove 250 350 sleep 0.2 mousemove 300 400 "
          L"sleep 0.2 mouseup 1 keyup shift");
  EXPECT_TRUE(WaitUntil([&] { return StripRect().top == 400 - 10; }));
  EXPECT_EQ(StripRect().right, 300 + 3);
}

TEST_F(WindowTest, ReplayButtonResendsTheLastDelivery) {
  Config config = RecorderConfig();
  config.header = L"(";
  config.footer = L")";
  StartWithRecorder(L"once", config);
  ASSERT_THAT(WaitForRecords(1), ElementsAre(L"(once)"));
  ASSERT_TRUE(WaitUntil([&] { return LogLines().size() == 1; })) << "start-up has finished";
  ClickButton(2);
  EXPECT_THAT(WaitForRecords(2), ElementsAre(L"(once)", L"(once)"));
  EXPECT_THAT(WaitForLogLines(2), ElementsAre("(once)", "(once)"));
}

TEST_F(WindowTest, MenuButtonOpensThePopupAndEscapeClosesItWithNothingSent) {
  StartWithRecorder();
  ClickButton(3);
  ASSERT_TRUE(WaitUntil([&] { return PopupMenu() != nullptr; }));
  Xdotool(L"key Escape");
  EXPECT_TRUE(WaitUntil([&] { return PopupMenu() == nullptr; }));
  Sleep(300);
  EXPECT_TRUE(ReadRecords(recordFile).empty());
  EXPECT_TRUE(LogLines().empty());
  EXPECT_TRUE(sendlark->Running());
}

TEST_F(WindowTest, CtrlQEndsTheProgram) {
  StartWithRecorder();
  const RECT rect = StripRect();
  Click({rect.left + 2, rect.top + 5});  // a click on the grip makes the strip active
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == strip; }));
  Xdotool(L"key ctrl+q");
  EXPECT_EQ(sendlark->WaitForExit(), 0u);
}

TEST_F(WindowTest, ThreeDroppedFilesArriveAsThreeDeliveriesInTheirOrder) {
  Config config = RecorderConfig();
  config.header = L"<";
  config.footer = L">";
  StartWithRecorder(L"", config);
  const POINT target = ButtonCentre(2);
  const std::wstring files = L"\"C:\\data\\b.txt\" \"C:\\data\\a file.txt\" \"C:\\data\\c.txt\"";
  Process dropper(L"\"" + BinFolder() + L"\\dropper.exe\" " + std::to_wstring(target.x) + L" " +
                      std::to_wstring(target.y) + L" " + files,
                  folder.Path());
  EXPECT_EQ(dropper.WaitForExit(), 0u) << "taken as a copy, never as a move";
  EXPECT_THAT(WaitForRecords(3),
              ElementsAre(L"<C:\\data\\b.txt>", L"<C:\\data\\a file.txt>", L"<C:\\data\\c.txt>"));
  EXPECT_THAT(WaitForLogLines(3),
              ElementsAre("<C:\\data\\c.txt>", "<C:\\data\\a file.txt>", "<C:\\data\\b.txt>"));
}

class LaunchTest : public WindowTest {
 protected:
  // Presses button 1 with the given ApplicationPath.
  void Launch(const std::wstring& path) {
    Config config = RecorderConfig();
    config.path = path;
    StartWithRecorder(L"", config);
    ClickButton(1);
  }
};

TEST_F(LaunchTest, EmptyPathShowsTheSystemsDescription) {
  Launch(L"");
  const auto box = WaitForMessageBox(sendlark->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, L"Sendlark");
  EXPECT_FALSE(box->text.empty());
  PressOk(*box);
  EXPECT_TRUE(sendlark->Running());
}

TEST_F(LaunchTest, MissingFileShowsTheSystemsDescription) {
  Launch(folder.File(L"missing.exe"));
  const auto box = WaitForMessageBox(sendlark->Id());
  ASSERT_TRUE(box);
  EXPECT_FALSE(box->text.empty());
  EXPECT_EQ(box->text.find(L"アプリケーション"), std::wstring::npos) << "the system's text alone";
  PressOk(*box);
}

TEST_F(LaunchTest, PathWithBlanksStartsThatProgramAndNotAShorterOne) {
  // "...\with space\tool.exe" unquoted would first be tried as "...\with.exe" + arguments.
  CreateDirectoryW(folder.File(L"with space").c_str(), nullptr);
  const std::wstring recorderExe = BinFolder() + L"\\recorder.exe";
  CopyFileW(recorderExe.c_str(), folder.File(L"with space\\tool.exe").c_str(), FALSE);
  CopyFileW(recorderExe.c_str(), folder.File(L"with.exe").c_str(), FALSE);
  Launch(folder.File(L"with space\\tool.exe"));
  EXPECT_TRUE(WaitUntil([&] { return folder.Exists(L"with space\\launched.txt"); }));
  EXPECT_FALSE(folder.Exists(L"launched.txt"));
}

}  // namespace
}  // namespace sendlark::harness
