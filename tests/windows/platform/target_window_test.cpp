#include "platform/win32/win32_platform.h"
#include "tests/windows/support/harness.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace sendlark::win32 {
namespace {

using harness::WaitUntil;

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

Win32Platform platform;

// A window of another process: the recorder, with this class and title.
class OtherProcessWindow {
 public:
  OtherProcessWindow(const std::wstring& className, const std::wstring& title,
                     const std::wstring& mode = L"")
      : process_(L"\"" + harness::BinFolder() + L"\\recorder.exe\" \"" + className + L"\" \"" +
                     title + L"\" 770 NUL 0 " + mode,
                 L"") {
    // Once shown: activation looks among visible windows only, and the recorder creates its
    // window before it shows it.
    harness::WaitUntil([&] {
      return (window_ = harness::FindProcessWindow(process_.Id(), className)) != nullptr;
    });
  }
  HWND Handle() const { return window_; }
  DWORD ProcessId() const { return process_.Id(); }

 private:
  harness::Process process_;
  HWND window_ = nullptr;
};

TEST(FindTargetWindow, NeedsBothClassAndTitleExactlyInAnotherProcess) {
  const std::wstring title = L"Target Title résumé 表 🙂";  // outside every ANSI code page
  OtherProcessWindow target(L"SendlarkTestTarget", title);
  ASSERT_NE(target.Handle(), nullptr);
  const TargetWindow found = platform.FindTargetWindow(L"SendlarkTestTarget", title);
  EXPECT_EQ(found.window, ToRef(target.Handle()));
  EXPECT_EQ(found.process, target.ProcessId());
  EXPECT_EQ(platform.FindTargetWindow(L"SendlarkTestTarget", L"Target Title").window, 0u);
  EXPECT_EQ(platform.FindTargetWindow(L"SendlarkTestOther", title).window, 0u);
  // An empty text is a text to match, not a wildcard.
  EXPECT_EQ(platform.FindTargetWindow(L"SendlarkTestTarget", L"").window, 0u);
  EXPECT_EQ(platform.FindTargetWindow(L"", title).window, 0u);
  // A window of this process never is a target, even with the same class and title.
  OtherWindow own(L"SendlarkTestOwn", L"Own Title");
  EXPECT_EQ(platform.FindTargetWindow(L"SendlarkTestOwn", L"Own Title").window, 0u);
  EXPECT_FALSE(platform.ActivateByTitle(L"Own Title"));
  // The other title modes choose among the windows of the class, with their whole titles.
  const std::vector<TargetWindow> listed = platform.WindowsOfClass(L"SendlarkTestTarget");
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].title, title);
  EXPECT_EQ(listed[0].process, target.ProcessId());
  EXPECT_TRUE(platform.WindowsOfClass(L"SendlarkTestOwn").empty());
}

// The shortcut goes only to the target in front, and never while the user holds a modifier,
// which would make it another shortcut.
TEST(PressPasteKeys, PressesNothingForATargetBehindOrWhileAModifierIsHeld) {
  OtherWindow front(L"SendlarkKeysFront", L"Front");
  OtherWindow behind(L"SendlarkKeysBehind", L"Behind");
  platform.ActivateWindow(ToRef(front.Handle()));
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == front.Handle(); }));
  EXPECT_EQ(platform.PressPasteKeys(ToRef(behind.Handle()), PasteRoute::CtrlV),
            KeyPress::NotInFront);
  // The key goes to the window under the pointer, the only way the system hears of it here.
  RECT area = {};
  GetWindowRect(front.Handle(), &area);
  harness::Xdotool(L"mousemove " + std::to_wstring((area.left + area.right) / 2) + L" " +
                   std::to_wstring((area.top + area.bottom) / 2) + L" keydown ctrl");
  ASSERT_TRUE(WaitUntil([] { return GetAsyncKeyState(VK_CONTROL) < 0; }));
  const auto start = std::chrono::steady_clock::now();
  const KeyPress held = platform.PressPasteKeys(ToRef(front.Handle()), PasteRoute::ShiftInsert);
  const auto waited = std::chrono::steady_clock::now() - start;
  harness::Xdotool(L"keyup ctrl");
  EXPECT_EQ(held, KeyPress::ModifiersHeld);
  EXPECT_GE(waited, std::chrono::milliseconds(1900)) << "the user gets time to let go";
}

TEST(ActivateByTitle, BringsTheExactOrElseTheFirstPrefixMatchForward) {
  // Longer than any fixed buffer for titles would hold.
  const std::wstring longTitle = L"Report - Editor " + std::wstring(600, L'x') + L" end";
  OtherProcessWindow longer(L"SendlarkTestLonger", longTitle);
  OtherProcessWindow exact(L"SendlarkTestExact", L"Report - Editor");
  EXPECT_TRUE(platform.ActivateByTitle(L"Report - Editor"));
  EXPECT_EQ(GetForegroundWindow(), exact.Handle());
  EXPECT_TRUE(platform.ActivateByTitle(L"Report - Editor X"));
  EXPECT_EQ(GetForegroundWindow(), longer.Handle());
  EXPECT_TRUE(platform.ActivateByTitle(L"report - editor"));
  EXPECT_EQ(GetForegroundWindow(), exact.Handle());
  EXPECT_TRUE(platform.ActivateByTitle(longTitle));
  EXPECT_EQ(GetForegroundWindow(), longer.Handle());
  EXPECT_FALSE(platform.ActivateByTitle(longTitle + L" and more"));
}

TEST(ActivateByTitle, RestoresAMinimisedWindow) {
  OtherProcessWindow target(L"SendlarkTestMinimised", L"Minimised Target", L"minimised");
  // Wine minimises a window before it shows it.
  ASSERT_TRUE(
      WaitUntil([&] { return IsIconic(target.Handle()) && IsWindowVisible(target.Handle()); }));
  EXPECT_TRUE(platform.ActivateByTitle(L"Minimised Target"));
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(target.Handle()); }));
}

// Wine may take a window for a hung one and refuse a message at once, although the program
// answers a moment later. The command must still arrive.
TEST(SendCommandId, ReachesATargetThatLookedHungForAMoment) {
  OtherWindow target(L"SendlarkTestBusy", L"Busy Target");
  target.BusyFor(std::chrono::milliseconds(5800));
  std::this_thread::sleep_for(std::chrono::milliseconds(5300));  // hung by now
  ASSERT_TRUE(IsHungAppWindow(target.Handle()));
  EXPECT_EQ(platform.SendCommandId(ToRef(target.Handle()), 275).error, 0u);
  EXPECT_EQ(target.Commands(275), 1);
}

TEST(SendCommandId, GivesUpOnAHungTargetWithinItsBound) {
  OtherWindow target(L"SendlarkTestHung", L"Hung Target");
  target.HangFor(std::chrono::milliseconds(6000));
  const auto start = std::chrono::steady_clock::now();
  // Not a lost paste: the command waits in the target's queue until it recovers.
  EXPECT_EQ(platform.SendCommandId(ToRef(target.Handle()), 1).error, kErrorTimeout);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_LT(waited, std::chrono::milliseconds(6500));
}

TEST(SendCommandId, ReportsAWindowThatIsGone) {
  HWND gone =
      CreateWindowW(L"STATIC", L"gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(gone, nullptr);
  DestroyWindow(gone);
  const CommandOutcome outcome = platform.SendCommandId(ToRef(gone), 1);
  EXPECT_EQ(outcome.error, static_cast<std::uint32_t>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(outcome.description.empty());
}

}  // namespace
}  // namespace sendlark::win32
