// The real program when things go wrong around it: its files, its configuration, the target
// and the clipboard. Each case must end in a clear message or go on soundly, and lose no
// history.
#include <gmock/gmock.h>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::SizeIs;
using ::testing::StartsWith;

constexpr wchar_t kFileError[] = L"ファイル入出力エラー\r\n";

class FaultTest : public SendlarkTest {
 protected:
  // Expects the file error box, presses OK and expects the program to end with code 1.
  void ExpectFileErrorAndEnd(Process& sendlark) {
    const auto box = WaitForMessageBox(sendlark.Id());
    ASSERT_TRUE(box);
    EXPECT_THAT(Utf8(box->text), StartsWith(Utf8(kFileError)));
    EXPECT_GT(box->text.size(), std::wstring(kFileError).size()) << "the system's reason follows";
    PressOk(*box);
    EXPECT_EQ(sendlark.WaitForExit(), 1u);
  }
  // Clicks toolbar button `index` (1 to 3) of the strip.
  static void ClickButton(HWND strip, int index) {
    RECT rect = {};
    GetWindowRect(strip, &rect);
    Xdotool(L"mousemove " + std::to_wstring(rect.left + 8 + (index - 1) * 23 + 11) + L" " +
            std::to_wstring(rect.top + 11) + L" sleep 0.1 click 1");
  }
  // True when the strip's thread handles a message within a second.
  static bool Responsive(HWND strip) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(strip, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
  }
};

// --- the log file ---

TEST_F(FaultTest, ReadOnlyLogIsReportedAndKeptAsItWas) {
  WriteConfig(RecorderConfig());
  folder.Write(L"log.txt", "older\r\n");
  SetFileAttributesW(folder.File(L"log.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"item");
  ExpectFileErrorAndEnd(*sendlark);
  EXPECT_THAT(ReadRecords(recordFile), ElementsAre(L"item")) << "pasted before the history";
  EXPECT_EQ(folder.Read(L"log.txt"), "older\r\n");
  SetFileAttributesW(folder.File(L"log.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Each would be pasted and then lost to the file error, unrecorded.
TEST_F(FaultTest, MissingLogStopsTheCommandLineBeforeAnyItemIsPasted) {
  Config config = RecorderConfig();
  config.logFile = L"missing.txt";
  WriteConfig(config);
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"one\r\ntwo\r\nthree");
  ExpectFileErrorAndEnd(*sendlark);
  EXPECT_TRUE(ReadRecords(recordFile).empty());
}

// Holds the log file open without sharing, as a backup program might.
class LogLock {
 public:
  explicit LogLock(const std::wstring& path)
      : file_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~LogLock() { Release(); }
  bool Held() const { return file_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (Held()) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE file_;
};

class LockedLogTest : public FaultTest {
 protected:
  void SetUp() override {
    WriteConfig(RecorderConfig());
    folder.Write(L"log.txt", "older\r\n");
  }
};

TEST_F(LockedLogTest, LockedLogIsReportedAndKeptAsItWas) {
  LogLock lock(folder.File(L"log.txt"));
  ASSERT_TRUE(lock.Held());
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"item");
  ExpectFileErrorAndEnd(*sendlark);
  lock.Release();
  EXPECT_EQ(folder.Read(L"log.txt"), "older\r\n");
}

TEST_F(LockedLogTest, LogLockedForAMomentIsWaitedFor) {
  LogLock lock(folder.File(L"log.txt"));
  ASSERT_TRUE(lock.Held());
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"item");
  // Start-up reads the history before the first paste, once its window exists; the lock goes a
  // moment later.
  WaitUntil([&] { return FindProcessWindow(sendlark->Id(), kStripClass, false) != nullptr; });
  Sleep(300);
  lock.Release();
  EXPECT_THAT(WaitForRecords(1), ElementsAre(L"item"));
  EXPECT_THAT(WaitForLogLines(2), ElementsAre("item", "older"));
  EXPECT_NE(WaitForStrip(*sendlark), nullptr);
  EXPECT_FALSE(FindProcessWindow(sendlark->Id(), L"#32770"));
}

TEST_F(FaultTest, LogDeletedWhileRunningIsReportedAtTheNextDelivery) {
  WriteConfig(RecorderConfig());
  folder.Write(L"log.txt", "older\r\n");
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"item");
  const HWND strip = WaitForStrip(*sendlark);
  ASSERT_NE(strip, nullptr);
  WaitForLogLines(2);
  ASSERT_TRUE(DeleteFileW(folder.File(L"log.txt").c_str()));
  ClickButton(strip, 2);  // resend
  ExpectFileErrorAndEnd(*sendlark);
  EXPECT_THAT(ReadRecords(recordFile), ElementsAre(L"item", L"item"));
  EXPECT_FALSE(folder.Exists(L"log.txt")) << "nothing is written after the failure";
}

// --- Config.ini ---

struct BrokenConfig {
  const char* name;
  std::string bytes;    // the whole file; "%C" and "%T" stand for the recorder's class and title
  std::wstring begins;  // what the text the recorder receives for "item" begins and ends with
  std::wstring ends;
};

class BrokenConfigTest : public FaultTest, public ::testing::WithParamInterface<BrokenConfig> {
 protected:
  std::string Resolve(std::string bytes) const {
    for (const auto& [mark, value] :
         {std::pair{"%C", Ansi(recorderClass)}, std::pair{"%T", Ansi(recorderTitle)}}) {
      for (std::size_t at = bytes.find(mark); at != std::string::npos; at = bytes.find(mark)) {
        bytes.replace(at, 2, value);
      }
    }
    return bytes;
  }
};

const std::string kEntries =
    ":AppliactionName=%T;:AppliactionClass=%C;:AppliactionPast=770;"
    ":CommandFileName=commands.txt;:LogFileName=log.txt;";

TEST_P(BrokenConfigTest, StillDelivers) {
  folder.Write(L"Config.ini", Resolve(GetParam().bytes));
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"item");
  EXPECT_NE(WaitForStrip(*sendlark, std::chrono::seconds(30)), nullptr);
  const auto records = WaitForRecords(1, std::chrono::seconds(30));
  ASSERT_THAT(records, SizeIs(1));
  EXPECT_THAT(Utf8(records[0]), StartsWith(Utf8(GetParam().begins)));
  EXPECT_THAT(Utf8(records[0]), EndsWith(Utf8(GetParam().ends)));
  EXPECT_THAT(WaitForLogLines(1), SizeIs(1));
  EXPECT_FALSE(FindProcessWindow(sendlark->Id(), L"#32770"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenConfigTest,
    ::testing::Values(
        BrokenConfig{"NoLineEndAtAll", kEntries + ":CommandHeader=<;:CommandFooter=>;", L"<item>",
                     L"<item>"},
        // NUL bytes are ordinary characters of the file; the clipboard's text ends at one.
        BrokenConfig{"NulBytes",
                     std::string("a note\0with a NUL\r\n", 19) + kEntries +
                         std::string(":CommandHeader=<;:CommandFooter=>\0tail;\r\n", 41),
                     L"<item>", L"<item>"},
        // Bytes that stand for no character become some character, whatever the code page;
        // the rest of the file is read as written.
        BrokenConfig{"InvalidAnsiBytes",
                     "\x81\x20\xFF\xA0\x85\xFD\r\n" + kEntries +
                         ":CommandHeader=<\x81\xFF\xA0\xFD;:CommandFooter=>;\r\n",
                     L"<", L"item>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FaultTest, TenMegabyteHistoryEntryLeavesTheMenuUsable) {
  Config config = RecorderConfig();
  config.header = std::wstring(10 << 20, L'h');
  WriteConfig(config);
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"item");
  const HWND strip = WaitForStrip(*sendlark, std::chrono::seconds(30));
  ASSERT_NE(strip, nullptr);
  EXPECT_THAT(WaitForRecords(1), ElementsAre(SizeIs((10 << 20) + 4)));
  ASSERT_THAT(WaitForLogLines(1), ElementsAre(SizeIs((10 << 20) + 4)));
  ClickButton(strip, 3);
  ASSERT_TRUE(WaitUntil([&] { return FindProcessWindow(sendlark->Id(), L"#32768"); }));
  // Into the history submenu, where the entry is shown cut, and out again.
  Xdotool(L"key --delay 80 Down Down Down Right Escape Escape");
  EXPECT_TRUE(WaitUntil([&] { return !FindProcessWindow(sendlark->Id(), L"#32768"); }));
  EXPECT_TRUE(Responsive(strip));
}

// --- the command file ---

TEST_F(FaultTest, CommandFileOfAHundredThousandLinesShowsTheFirst32767) {
  std::string commands;
  for (int line = 1; line <= 100'000; ++line)
    commands += "line" + std::to_string(line) + "\r\n";
  folder.Write(L"commands.txt", commands);
  WriteConfig(RecorderConfig());
  auto recorder = StartRecorder();
  const auto started = std::chrono::steady_clock::now();
  auto sendlark = StartSendlark();
  const HWND strip = WaitForStrip(*sendlark, std::chrono::seconds(30));
  ASSERT_NE(strip, nullptr);
  const auto startUp = std::chrono::steady_clock::now() - started;
  EXPECT_LT(startUp, std::chrono::seconds(10));
  ClickButton(strip, 3);
  ASSERT_TRUE(WaitUntil([&] { return FindProcessWindow(sendlark->Id(), L"#32768"); }));
  // Up from nothing chosen: the end item, then the last group; in it, up to its last entry.
  Xdotool(L"key --delay 150 Up Up Right Up Return");
  EXPECT_THAT(WaitForRecords(1), ElementsAre(L"line32767\r\n"));
}

// --- the target ---

// It answers each paste command after the command's five seconds: the next item waits until it
// has read the last, or its waiting command would read the next.
TEST_F(FaultTest, TargetSlowToAnswerGetsEachItemsOwnText) {
  Config config = RecorderConfig();
  config.header = L"[";
  config.footer = L"]";
  WriteConfig(config);
  auto recorder = StartRecorder(7000);  // hangs for seven seconds on every paste
  auto sendlark = StartSendlark(L"one\r\ntwo");
  const HWND strip = WaitForStrip(*sendlark, std::chrono::seconds(30));
  ASSERT_NE(strip, nullptr);
  EXPECT_THAT(WaitForRecords(2), ElementsAre(L"[one]", L"[two]"));
  EXPECT_FALSE(FindProcessWindow(sendlark->Id(), L"#32770")) << "a slow target is no failure";
  EXPECT_THAT(LogLines(), ElementsAre("[two]", "[one]"));
  EXPECT_TRUE(Responsive(strip));
}

// It reads after Sendlark has stopped waiting: the boxes say the paste failed, so the text is
// gone by then, and the box's message loop cannot hand it over.
TEST_F(FaultTest, TargetReadingAfterTheWaitGetsNoTextOnceReportedAsNotTaken) {
  WriteConfig(RecorderConfig());
  auto recorder = StartRecorder(2600, L"later");
  auto sendlark = StartSendlark(L"item");
  ASSERT_TRUE(WaitForMessageBox(sendlark->Id()));
  EXPECT_THAT(WaitForRecords(1), ElementsAre(L"")) << "read while the first box is open";
  ExpectPasteFailureBoxes(*sendlark);
  EXPECT_THAT(WaitForLogLines(1), ElementsAre("item"));
}

TEST_F(FaultTest, TargetClosingBeforeItsPasteIsReported) {
  WriteConfig(RecorderConfig());
  auto recorder = StartRecorder(0, L"close-on-activate");
  auto sendlark = StartSendlark(L"item");
  ExpectPasteFailureBoxes(*sendlark);
  EXPECT_THAT(WaitForLogLines(1), ElementsAre("item"));
  EXPECT_TRUE(ReadRecords(recordFile).empty());
  EXPECT_EQ(recorder->WaitForExit(), 0u);
  EXPECT_TRUE(sendlark->Running());
}

// --- the clipboard ---

TEST_F(FaultTest, ClipboardHeldByAnotherProgramIsWaitedFor) {
  WriteConfig(RecorderConfig());
  auto recorder = StartRecorder();
  ASSERT_TRUE(OpenClipboard(nullptr));
  auto sendlark = StartSendlark(L"item");
  Sleep(1500);
  CloseClipboard();
  EXPECT_THAT(WaitForRecords(1), ElementsAre(L"item"));
  EXPECT_NE(WaitForStrip(*sendlark), nullptr);
  EXPECT_FALSE(FindProcessWindow(sendlark->Id(), L"#32770"));
}

// The program holds the clipboard open while it asks for our text, which a copy that ends hands
// over once it can open the clipboard: each would wait for the other.
TEST_F(FaultTest, ProgramHoldingTheClipboardOpenGetsOurTextWhileWeWaitForIt) {
  WriteConfig(RecorderConfig());  // no recorder is running: nothing reads the text
  auto first = StartSendlark();
  ASSERT_NE(WaitForStrip(*first), nullptr);
  const std::wstring item = L"served " + recorderClass;
  auto second = StartSendlark(item);
  const auto box = WaitForMessageBox(second->Id());
  ASSERT_TRUE(box);
  ASSERT_TRUE(OpenClipboard(nullptr));
  PressOk(*box);  // the copy ends, and waits for the clipboard to hand its text over
  std::wstring text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  EXPECT_EQ(text, item);
  EXPECT_EQ(second->WaitForExit(), 0u);
}

// --- two copies at once ---

std::vector<std::wstring> Items(wchar_t prefix, int count) {
  std::vector<std::wstring> items;
  for (int n = 1; n <= count; ++n)
    items.push_back(prefix + std::to_wstring(100 + n));
  return items;
}

std::wstring Lines(const std::vector<std::wstring>& items) {
  std::wstring text;
  for (const std::wstring& item : items)
    text += (text.empty() ? L"" : L"\r\n") + item;
  return text;
}

std::vector<std::wstring> Only(const std::vector<std::wstring>& records, wchar_t prefix) {
  std::vector<std::wstring> kept;
  for (const std::wstring& record : records) {
    if (record.front() == prefix) kept.push_back(record);
  }
  return kept;
}

TEST_F(FaultTest, TwoCopiesDeliveringAtOnceTakeTurns) {
  WriteConfig(RecorderConfig());
  auto recorder = StartRecorder();
  auto running = StartSendlark();
  ASSERT_NE(WaitForStrip(*running), nullptr);
  const auto a = Items(L'a', 50);
  const auto b = Items(L'b', 50);
  auto first = StartSendlark(Lines(a));
  auto second = StartSendlark(Lines(b));
  EXPECT_EQ(first->WaitForExit(std::chrono::seconds(60)), 0u);
  EXPECT_EQ(second->WaitForExit(std::chrono::seconds(60)), 0u);
  // Every paste saw its own item: none lost, none doubled, each copy's in its order.
  const auto records = WaitForRecords(100);
  ASSERT_THAT(records, SizeIs(100));
  EXPECT_EQ(Only(records, L'a'), a);
  EXPECT_EQ(Only(records, L'b'), b);
  // The history holds the last ten deliveries, newest first, as whole lines.
  std::vector<std::string> lastTen;
  for (auto record = records.rbegin(); lastTen.size() < 10; ++record) {
    lastTen.push_back(Utf8(*record));
  }
  EXPECT_EQ(LogLines(), lastTen);
  EXPECT_EQ(folder.Read(L"log.txt").size(), 10u * 6);
}

}  // namespace
}  // namespace sendlark::harness
