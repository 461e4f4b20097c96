#include "platform/win32/base_window.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace sendlark::win32 {
namespace {

constexpr UINT kPing = WM_APP + 7;

// A message-only window, as the owner of the clipboard is one.
class MessageWindow : public BaseWindow<MessageWindow> {
 public:
  MessageWindow() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SendlarkMessageWindowTest";
    ::RegisterClassExW(&windowClass);
    Create(windowClass.hInstance, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE);
  }
  int pings = 0;

 private:
  friend class BaseWindow<MessageWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPing) return ++pings;
    return ::DefWindowProcW(window_, message, wParam, lParam);
  }
};

// Its object must not take a later window with the same handle for its own.
TEST(BaseWindowTest, HandsMessagesToItsObjectUntilTheWindowIsDestroyed) {
  MessageWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  EXPECT_EQ(::SendMessageW(window.Handle(), kPing, 0, 0), 1);
  EXPECT_EQ(window.pings, 1);
  ASSERT_TRUE(::DestroyWindow(window.Handle()));
  EXPECT_EQ(window.Handle(), nullptr);
}

}  // namespace
}  // namespace sendlark::win32
