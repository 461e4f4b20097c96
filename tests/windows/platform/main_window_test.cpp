#include "platform/win32/main_window.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/command_ids.h"

namespace sendlark::win32 {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
  }
  HWND Toolbar() const {
    return FindWindowExW(window.Handle(), nullptr, TOOLBARCLASSNAMEW, nullptr);
  }

  MainWindow window{GetModuleHandleW(nullptr)};
};

TEST_F(MainWindowTest, EachButtonNamesItsActionInItsToolTip) {
  const HWND toolbar = Toolbar();
  const HWND tips = reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tips, nullptr);
  const wchar_t* expected[] = {L"外部アプリケーションを起動", L"再度コマンドを送信", L"メニュー"};
  for (int index = 1; index <= 3; ++index) {
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = tips;
    info.hdr.idFrom = static_cast<UINT_PTR>(kIdToolbarButtonBase + index);
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(window.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, expected[index - 1]);
  }
}

}  // namespace
}  // namespace sendlark::win32
