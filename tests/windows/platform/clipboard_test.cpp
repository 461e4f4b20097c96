#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace sendlark::win32 {
namespace {

std::wstring ReadUnicode() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return L"<not open>";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::string ReadAnsi() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "<not open>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// The clipboard without an owner window.
Win32Platform& Platform() {
  static Win32Platform platform;
  return platform;
}

// Another program holding the clipboard open, as clipboard managers do for a moment.
class ClipboardHolder {
 public:
  explicit ClipboardHolder(std::chrono::milliseconds hold) {
    thread_ = std::thread([this, hold] {
      HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
      opened_ = OpenClipboard(window) != FALSE;
      ready_ = true;
      std::this_thread::sleep_for(hold);
      if (opened_) CloseClipboard();
      DestroyWindow(window);
    });
    while (!ready_)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~ClipboardHolder() { thread_.join(); }
  bool Opened() const { return opened_; }

 private:
  std::thread thread_;
  volatile bool ready_ = false;
  bool opened_ = false;
};

TEST(Clipboard, PutsUnicodeTextThatOldProgramsReadAsAnsi) {
  ASSERT_FALSE(Platform().PutClipboardText(L"line 1\r\nline 2"));
  EXPECT_EQ(ReadUnicode(), L"line 1\r\nline 2");
  EXPECT_EQ(ReadAnsi(), "line 1\r\nline 2");
  ASSERT_FALSE(Platform().PutClipboardText(L""));
  EXPECT_EQ(ReadUnicode(), L"");
}

TEST(Clipboard, AnsiFormIsShiftJisUnderCodePage932) {
  if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
  ASSERT_FALSE(Platform().PutClipboardText(L"表示"));
  EXPECT_EQ(ReadAnsi(), "\x95\x5c\x8e\xa6");
}

TEST(Clipboard, WaitsForAProgramThatHoldsItForASecondAndMore) {
  ClipboardHolder holder(std::chrono::milliseconds(1500));
  ASSERT_TRUE(holder.Opened());
  EXPECT_FALSE(Platform().PutClipboardText(L"after the wait"));
  EXPECT_EQ(ReadUnicode(), L"after the wait");
}

TEST(Clipboard, GivesUpAfterAboutFiveSeconds) {
  ClipboardHolder holder(std::chrono::milliseconds(7000));
  ASSERT_TRUE(holder.Opened());
  const auto start = std::chrono::steady_clock::now();
  const ErrorText error = Platform().PutClipboardText(L"never");
  const auto waited = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(error);
  EXPECT_FALSE(error->empty());
  EXPECT_GE(waited, std::chrono::milliseconds(4900));
  EXPECT_LT(waited, std::chrono::milliseconds(6500));
}

}  // namespace
}  // namespace sendlark::win32
