#include "platform/win32/main_window.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

namespace sendlark::win32 {
namespace {

struct RecordedEvents final : WindowEvents {
  void Command(int id) override { commands.push_back(id); }
  void FilesDropped(DropEvent&) override {}
  void HotKeyPressed() override {}
  void MouseDown(short button, short, float x, float y) override {
    presses.push_back({button, x, y});
  }
  struct Press {
    short button;
    float x, y;
  };
  std::vector<int> commands;
  std::vector<Press> presses;
};

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
  }
  HWND Toolbar() const {
    return FindWindowExW(window.Handle(), nullptr, TOOLBARCLASSNAMEW, nullptr);
  }

  RecordedEvents events;
  MainWindow window{GetModuleHandleW(nullptr),
                    {L"Strip test",
                     L"SendlarkStripTest",
                     {{501, L"first tip", 0}, {502, L"second tip", 1}, {503, L"third tip", 2}},
                     {{L'R', 200}}},
                    events};
};

TEST_F(MainWindowTest, EachButtonShowsTheToolTipItWasGiven) {
  const HWND toolbar = Toolbar();
  const HWND tips = reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tips, nullptr);
  const wchar_t* expected[] = {L"first tip", L"second tip", L"third tip"};
  for (int button = 0; button < 3; ++button) {
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = tips;
    info.hdr.idFrom = static_cast<UINT_PTR>(501 + button);
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(window.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, expected[button]);
  }
}

TEST_F(MainWindowTest, ReportsAPressOnTheGripInTwips) {
  const UINT dpi = GetDpiForWindow(window.Handle());
  SendMessageW(window.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 10));
  ASSERT_EQ(events.presses.size(), 1u);
  EXPECT_EQ(events.presses[0].button, kRightButton);
  EXPECT_FLOAT_EQ(events.presses[0].x, 3.0f * 1440 / static_cast<float>(dpi));
  EXPECT_FLOAT_EQ(events.presses[0].y, 10.0f * 1440 / static_cast<float>(dpi));
}

// Its object must not take a later window with the same handle for its own.
TEST_F(MainWindowTest, LetsGoOfItsWindowOnceTheWindowIsDestroyed) {
  ASSERT_TRUE(DestroyWindow(window.Handle()));
  EXPECT_EQ(window.Handle(), nullptr);
}

}  // namespace
}  // namespace sendlark::win32
