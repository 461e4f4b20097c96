#include "platform/win32/main_window.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/command_ids.h"
#include "platform/win32/menu_render.h"

namespace sendlark::win32 {
namespace {

int ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

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

TEST_F(MainWindowTest, IsABorderlessHiddenToolStrip) {
  const HWND strip = window.Handle();
  ASSERT_NE(strip, nullptr);
  EXPECT_FALSE(IsWindowVisible(strip));
  EXPECT_TRUE(GetWindowLongW(strip, GWL_STYLE) & WS_POPUP);
  EXPECT_TRUE(GetWindowLongW(strip, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(GetWindowLongW(strip, GWL_EXSTYLE) & WS_EX_TOPMOST) << "start-up makes it so";
  EXPECT_NE(GetClassLongPtrW(strip, GCLP_HICON), 0u);
  if (ScreenDpi() != 96) GTEST_SKIP() << "sizes below are at 96 DPI";
  RECT client = {};
  GetClientRect(strip, &client);
  EXPECT_EQ(client.right, 88);
  EXPECT_EQ(client.bottom, 22);
}

TEST_F(MainWindowTest, ToolbarHoldsThreeButtonsOfTwentyThreeByTwentyTwoPixels) {
  const HWND toolbar = Toolbar();
  ASSERT_NE(toolbar, nullptr);
  ASSERT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 3);
  const HIMAGELIST images =
      reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(images), 3);
  if (ScreenDpi() != 96) GTEST_SKIP() << "sizes below are at 96 DPI";
  RECT bar = {};
  GetWindowRect(toolbar, &bar);
  MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_EQ(bar.left, 8);
  EXPECT_EQ(bar.top, 0);
  EXPECT_EQ(bar.right - bar.left, 73);
  EXPECT_EQ(bar.bottom - bar.top, 22);
  for (int i = 0; i < 3; ++i) {
    RECT button = {};
    SendMessageW(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(button.left, 23 * i) << "button " << i + 1;
    EXPECT_EQ(button.right - button.left, 23);
    EXPECT_EQ(button.bottom - button.top, 22);
  }
  int size = 0, unused = 0;
  ImageList_GetIconSize(images, &size, &unused);
  EXPECT_EQ(size, 16);
}

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

std::wstring ItemText(HMENU menu, int position) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
  return text;
}

TEST(RenderMenu, BuildsTheMenuItemByItem) {
  MenuEntry heading;
  heading.text = L"履歴一覧";
  heading.enabled = false;
  MenuEntry separator;
  separator.separator = true;
  MenuEntry entry;
  entry.id = 301;
  entry.text = L"a&b";
  MenuEntry submenu;
  submenu.text = L"最近使ったコマンド一覧(&L)";
  submenu.children = {heading, separator, entry};
  MenuEntry end;
  end.id = kIdEnd;
  end.text = L"終了(&E)\tCtrl+Q";

  const UniqueMenu menu = RenderMenu({submenu, separator, end});
  ASSERT_EQ(GetMenuItemCount(menu.get()), 3);
  const HMENU history = GetSubMenu(menu.get(), 0);
  ASSERT_NE(history, nullptr);
  EXPECT_EQ(ItemText(menu.get(), 0), L"最近使ったコマンド一覧(&L)");
  EXPECT_TRUE(GetMenuState(menu.get(), 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(GetMenuItemID(menu.get(), 2), static_cast<UINT>(kIdEnd));
  EXPECT_EQ(ItemText(menu.get(), 2), L"終了(&E)\tCtrl+Q");
  ASSERT_EQ(GetMenuItemCount(history), 3);
  EXPECT_TRUE(GetMenuState(history, 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(history, 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(GetMenuItemID(history, 2), 301u);
  EXPECT_EQ(ItemText(history, 2), L"a&b");
}

}  // namespace
}  // namespace sendlark::win32
