#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/windows/support/harness.h"

#include <chrono>
#include <string>
#include <thread>

namespace sendlark::win32 {
namespace {

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
  ASSERT_FALSE(Platform().OfferClipboardText(L"line 1\r\nline 2"));
  EXPECT_EQ(harness::ClipboardText(), L"line 1\r\nline 2");
  EXPECT_EQ(ReadAnsi(), "line 1\r\nline 2");
  ASSERT_FALSE(Platform().OfferClipboardText(L""));
  EXPECT_EQ(harness::ClipboardText(), L"");
}

TEST(Clipboard, AnsiFormIsShiftJisUnderCodePage932) {
  if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
  ASSERT_FALSE(Platform().OfferClipboardText(L"表示"));
  EXPECT_EQ(ReadAnsi(), "\x95\x5c\x8e\xa6");
}

TEST(Clipboard, WaitsForAProgramThatHoldsItForASecondAndMore) {
  ClipboardHolder holder(std::chrono::milliseconds(1500));
  ASSERT_TRUE(holder.Opened());
  EXPECT_FALSE(Platform().OfferClipboardText(L"after the wait"));
  EXPECT_EQ(harness::ClipboardText(), L"after the wait");
}

TEST(Clipboard, GivesUpAfterAboutFiveSeconds) {
  ClipboardHolder holder(std::chrono::milliseconds(7000));
  ASSERT_TRUE(holder.Opened());
  const auto start = std::chrono::steady_clock::now();
  const ErrorText error = Platform().OfferClipboardText(L"never");
  const auto waited = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(error);
  EXPECT_FALSE(error->empty());
  EXPECT_GE(waited, std::chrono::milliseconds(4900));
  EXPECT_LT(waited, std::chrono::milliseconds(6500));
}

// The request for the text tells who reads it: the window that opened the clipboard, or none.
TEST(Clipboard, TheRequestForTheTextTellsWhoReadsIt) {
  for (const bool named : {true, false}) {
    ASSERT_FALSE(Platform().OfferClipboardText(L"asked for"));
    std::wstring read;
    HWND window = nullptr;
    std::thread reader([&] {
      if (named) {
        window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                 nullptr);
      }
      read = harness::ClipboardText(window);
      if (window != nullptr) DestroyWindow(window);
    });
    const std::optional<TextRequest> request = Platform().AwaitTextRequest(5000);
    reader.join();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->reader, ToRef(window));
    EXPECT_EQ(read, L"asked for");
  }
}

// Offered anew after a read, the text is asked for again; taken back, it leaves the marks of a
// command text alone, which no copy takes for the user's clipboard.
TEST(Clipboard, ATextOfferedAnewIsAskedForAgainAndOneTakenBackIsNoUsersClipboard) {
  ASSERT_FALSE(Platform().OfferClipboardText(L"asked for twice"));
  for (int read = 0; read < 2; ++read) {
    std::wstring text;
    std::thread reader([&] { text = harness::ClipboardText(); });
    EXPECT_TRUE(Platform().AwaitTextRequest(5000)) << "read " << read;
    reader.join();
    EXPECT_EQ(text, L"asked for twice");
    Platform().ReofferClipboardText();
  }
  Platform().WithdrawClipboardText();
  EXPECT_EQ(harness::ClipboardText(), L"");
  EXPECT_FALSE(Platform().AwaitTextRequest(0));
  EXPECT_EQ(Platform().CopyClipboard().kind, ClipboardCopy::Kind::CommandText);
}

TEST(Clipboard, NoRequestIsWaitedForOnlyAsLongAsAsked) {
  ASSERT_FALSE(Platform().OfferClipboardText(L"never asked for"));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(Platform().AwaitTextRequest(300));
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(290));
  EXPECT_LT(waited, std::chrono::milliseconds(1500));
}

// The clipboard keeps a text no one asked for after its owner is gone, and carries the marks
// that keep it out of clipboard histories.
TEST(Clipboard, TheTextOutlivesItsOwnerAndStaysOutOfHistories) {
  {
    Win32Platform owner;
    ASSERT_FALSE(owner.OfferClipboardText(L"left behind"));
  }
  EXPECT_EQ(harness::ClipboardText(), L"left behind");
  ASSERT_TRUE(OpenClipboard(nullptr));
  for (const wchar_t* mark :
       {L"ExcludeClipboardContentFromMonitorProcessing", L"Clipboard Viewer Ignore",
        L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatW(mark))) << harness::Utf8(mark);
  }
  HANDLE history = GetClipboardData(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"));
  ASSERT_NE(history, nullptr);
  EXPECT_EQ(*static_cast<const DWORD*>(GlobalLock(history)), 0u);
  GlobalUnlock(history);
  CloseClipboard();
}

}  // namespace
}  // namespace sendlark::win32
