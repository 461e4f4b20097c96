#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace sendlark::win32 {
namespace {

constexpr UINT kQuit = WM_APP + 7;
constexpr UINT kBusy = WM_APP + 8;

// A window on a thread of its own, as another program's window would be. It counts the
// commands it gets and can be told to stop answering for a while, like a hung program.
class OtherWindow {
 public:
  OtherWindow(const wchar_t* className, const wchar_t* title, bool visible = true) {
    thread_ = std::thread([=, this] {
      WNDCLASSW windowClass = {};
      windowClass.lpfnWndProc = Proc;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.lpszClassName = className;
      RegisterClassW(&windowClass);
      threadId_ = GetCurrentThreadId();
      window_ = CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, 50, 50, 200, 100, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
      SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      if (visible) ShowWindow(window_, SW_SHOWNORMAL);
      ready_ = true;
      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == kQuit) break;
        DispatchMessageW(&message);
      }
      DestroyWindow(window_);
      UnregisterClassW(className, windowClass.hInstance);
    });
    while (!ready_)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~OtherWindow() {
    PostThreadMessageW(threadId_, kQuit, 0, 0);
    thread_.join();
  }

  HWND Handle() const { return window_; }
  int Commands(WPARAM id) const { return id == lastId_ ? count_.load() : 0; }
  void HangFor(std::chrono::milliseconds time) { hang_ = time; }
  // Keeps the window's thread from handling messages for a while, starting now.
  void BusyFor(std::chrono::milliseconds time) {
    PostMessageW(window_, kBusy, static_cast<WPARAM>(time.count()), 0);
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<OtherWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == kBusy) {
      std::this_thread::sleep_for(std::chrono::milliseconds(wParam));
      return 0;
    }
    if (self != nullptr && message == WM_COMMAND) {
      std::this_thread::sleep_for(self->hang_);
      self->lastId_ = wParam;
      ++self->count_;
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  std::thread thread_;
  std::atomic<bool> ready_ = false;
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
  std::atomic<int> count_ = 0;
  std::atomic<WPARAM> lastId_ = 0;
  std::chrono::milliseconds hang_{0};
};

Win32Platform platform(nullptr);

bool WaitForRestore(HWND window) {
  for (int i = 0; i < 200 && IsIconic(window); ++i)
    Sleep(10);
  return !IsIconic(window);
}

TEST(FindTargetWindow, NeedsBothClassAndTitleExactly) {
  OtherWindow target(L"SendlarkTestTarget", L"Target Title");
  EXPECT_EQ(platform.FindTargetWindow(L"SendlarkTestTarget", L"Target Title"),
            ToRef(target.Handle()));
  EXPECT_EQ(platform.FindTargetWindow(L"SendlarkTestTarget", L"Target"), 0u);
  EXPECT_EQ(platform.FindTargetWindow(L"SendlarkTestOther", L"Target Title"), 0u);
  // An empty text is a text to match, not a wildcard.
  EXPECT_EQ(platform.FindTargetWindow(L"SendlarkTestTarget", L""), 0u);
  EXPECT_EQ(platform.FindTargetWindow(L"", L"Target Title"), 0u);
}

TEST(ActivateByTitle, BringsTheExactOrElseTheFirstPrefixMatchForward) {
  OtherWindow longer(L"SendlarkTestLonger", L"Report - Editor Extra");
  OtherWindow exact(L"SendlarkTestExact", L"Report - Editor");
  EXPECT_TRUE(platform.ActivateByTitle(L"Report - Editor"));
  EXPECT_EQ(GetForegroundWindow(), exact.Handle());
  EXPECT_TRUE(platform.ActivateByTitle(L"Report - Editor E"));
  EXPECT_EQ(GetForegroundWindow(), longer.Handle());
  EXPECT_TRUE(platform.ActivateByTitle(L"report - editor"));
  EXPECT_EQ(GetForegroundWindow(), exact.Handle());
  EXPECT_FALSE(platform.ActivateByTitle(L"No Such Window Anywhere"));
}

TEST(ActivateByTitle, RestoresAMinimisedWindow) {
  OtherWindow target(L"SendlarkTestMinimised", L"Minimised Target");
  ShowWindow(target.Handle(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(target.Handle()));
  EXPECT_TRUE(platform.ActivateByTitle(L"Minimised Target"));
  EXPECT_TRUE(WaitForRestore(target.Handle()));
}

// Wine may take a window for a hung one and refuse a message at once, although the program
// answers a moment later. The command must still arrive.
TEST(SendCommandId, ReachesATargetThatLookedHungForAMoment) {
  OtherWindow target(L"SendlarkTestBusy", L"Busy Target");
  target.BusyFor(std::chrono::milliseconds(5800));
  std::this_thread::sleep_for(std::chrono::milliseconds(5300));  // hung by now
  ASSERT_TRUE(IsHungAppWindow(target.Handle()));
  EXPECT_FALSE(platform.SendCommandId(ToRef(target.Handle()), 275));
  EXPECT_EQ(target.Commands(275), 1);
}

TEST(SendCommandId, GivesUpOnAHungTargetWithinItsBound) {
  OtherWindow target(L"SendlarkTestHung", L"Hung Target");
  target.HangFor(std::chrono::milliseconds(6000));
  const auto start = std::chrono::steady_clock::now();
  // Not a failure: the command waits in the target's queue until it recovers.
  EXPECT_FALSE(platform.SendCommandId(ToRef(target.Handle()), 1));
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_LT(waited, std::chrono::milliseconds(6500));
}

TEST(SendCommandId, ReportsAWindowThatIsGone) {
  HWND gone =
      CreateWindowW(L"STATIC", L"gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(gone, nullptr);
  DestroyWindow(gone);
  const ErrorText error = platform.SendCommandId(ToRef(gone), 1);
  ASSERT_TRUE(error);
  EXPECT_FALSE(error->empty());
}

}  // namespace
}  // namespace sendlark::win32
