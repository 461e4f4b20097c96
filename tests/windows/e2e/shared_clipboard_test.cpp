// The clipboard is the whole session's: the target shares it with programs that read every
// change, with other copies of Sendlark and with the user's own content. Each item still reaches
// its target whole, and the user's clipboard comes back after the run.
#include <gmock/gmock.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

// A clipboard monitor that honours none of the marks: it reads every new text at once, as some
// download managers and clipboard tools do.
class ClipboardMonitor {
 public:
  ClipboardMonitor() {
    thread_ = std::thread([this] {
      window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr);
      AddClipboardFormatListener(window_);
      threadId_ = GetCurrentThreadId();
      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message != WM_CLIPBOARDUPDATE) continue;
        const std::wstring text = ClipboardText(window_);
        const std::lock_guard lock(mutex_);
        read_.push_back(text);
      }
      DestroyWindow(window_);
    });
    WaitUntil([&] { return threadId_.load() != 0; });
  }
  ~ClipboardMonitor() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  std::vector<std::wstring> Read() {
    const std::lock_guard lock(mutex_);
    return read_;
  }

 private:
  std::thread thread_;
  std::atomic<DWORD> threadId_ = 0;
  HWND window_ = nullptr;
  std::mutex mutex_;
  std::vector<std::wstring> read_;
};

class SharedClipboardTest : public SendlarkTest {
 protected:
  void WriteConfig(bool restore) {
    Config config = RecorderConfig();
    if (restore) config.more = L":RestoreClipboard=1;\r\n";
    SendlarkTest::WriteConfig(config);
  }
};

// The monitor reads first; the target 300 ms after its paste command. The target still pastes
// each item once, and then gets the user's clipboard back, never instead of an item.
TEST_F(SharedClipboardTest, AMonitorThatReadsFirstDecidesNothing) {
  WriteConfig(true);
  PutClipboardText(L"user text");
  ClipboardMonitor monitor;
  auto recorder = StartRecorder(300, L"later");
  auto sendlark = StartSendlark(L"one\r\ntwo");
  EXPECT_THAT(WaitForRecords(2), ElementsAre(L"one", L"two"));
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == L"user text"; })) << Utf8(ClipboardText());
  EXPECT_THAT(monitor.Read(), Contains(L"one"));
  EXPECT_FALSE(FindProcessWindow(sendlark->Id(), L"#32770"));
  EXPECT_THAT(WaitForLogLines(2), ElementsAre("two", "one"));
}

// It reads during its paste command and once more 150 ms later: both times the item. The next
// run, a resend, takes what came back for the user's clipboard again.
TEST_F(SharedClipboardTest, ATargetThatReadsTwiceGetsTheItemBothTimes) {
  WriteConfig(true);
  PutClipboardText(L"user text");
  auto recorder = StartRecorder(150, L"twice");
  auto sendlark = StartSendlark(L"item");
  EXPECT_THAT(WaitForRecords(2), ElementsAre(L"item", L"item"));
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == L"user text"; })) << Utf8(ClipboardText());
  PostMessageW(WaitForStrip(*sendlark), WM_COMMAND, 201, 0);  // resend
  EXPECT_THAT(WaitForRecords(4), ElementsAre(L"item", L"item", L"item", L"item"));
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == L"user text"; })) << Utf8(ClipboardText());
}

// The target spends 15 s in the first copy's paste command; a second copy started meanwhile
// waits for it, however long, instead of putting its item where the first is still to be read.
TEST_F(SharedClipboardTest, ASecondCopyWaitsForTheFirstCopysSlowTarget) {
  WriteConfig(false);
  auto recorder = StartRecorder(15000, L"slow-once");
  const HWND target = FindProcessWindow(recorder->Id(), recorderClass);
  auto first = StartSendlark(L"ITEM-A");
  ASSERT_TRUE(WaitUntil([&] {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_NORMAL, 200, &result) == 0;
  })) << "the target never got busy";
  auto second = StartSendlark(L"ITEM-B");
  EXPECT_THAT(WaitForRecords(2, std::chrono::seconds(40)), ElementsAre(L"ITEM-A", L"ITEM-B"));
  EXPECT_EQ(second->WaitForExit(), 0u);
  EXPECT_FALSE(FindProcessWindow(first->Id(), L"#32770"));
}

// The first copy's target never reads, so its item is taken back while its boxes are open; a
// copy from another folder delivers meanwhile. Neither takes what is left for the user's
// clipboard, which comes back once the first copy's boxes are closed.
TEST_F(SharedClipboardTest, WhatIsLeftOfATextTakenBackIsNotTheUsers) {
  WriteConfig(true);
  const TempFolder other;
  CopyInstallation(other);
  auto reading = StartRecorder();
  recorderClass += L"-never";
  recorderTitle += L" never";
  WriteConfig(true);
  auto never = StartRecorder(0, L"never");
  PutClipboardText(L"user text");

  auto first = StartSendlark(L"not read");
  const auto box = WaitForMessageBox(first->Id());
  ASSERT_TRUE(box);
  Process second(L"\"" + other.File(L"Sendlark.exe") + L"\" read", other.Path());
  EXPECT_THAT(WaitForRecords(1), ElementsAre(L"read"));
  ASSERT_TRUE(WaitUntil([&] { return other.Read(L"log.txt") == "read\r\n"; }));
  ExpectPasteFailureBoxes(*first);
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == L"user text"; })) << Utf8(ClipboardText());
}

}  // namespace
}  // namespace sendlark::harness
