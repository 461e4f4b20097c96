// With :RestoreClipboard=1 the user's clipboard comes back once a run's items are taken.
#include <gmock/gmock.h>

#include <map>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

using ::testing::ElementsAre;
using Formats = std::map<UINT, std::string>;

// Every format held as memory, the forms the system makes of the others included.
Formats ClipboardFormats() {
  Formats formats;
  OpenClipboard(nullptr);
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    const HANDLE data = format != CF_BITMAP ? GetClipboardData(format) : nullptr;
    if (const auto* bytes = static_cast<const char*>(data ? GlobalLock(data) : nullptr)) {
      formats[format].assign(bytes, GlobalSize(data));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return formats;
}

class RestoreTest : public SendlarkTest {
 protected:
  // Three items from the command line, each pasted and recorded.
  void DeliverThree(const std::wstring& recorderMode) {
    WriteConfig(RecorderConfig());
    folder.Write(L"Config.ini", folder.Read(L"Config.ini") + ":RestoreClipboard=1;\r\n");
    recorder = StartRecorder(0, recorderMode);
    sendlark = StartSendlark(L"one\r\ntwo\r\nthree");
    EXPECT_THAT(WaitForRecords(3), ElementsAre(L"one", L"two", L"three"));
    WaitForLogLines(3);
  }
  std::unique_ptr<Process> recorder, sendlark;  // running on until the test ends
};

TEST_F(RestoreTest, TextAPrivateFormatAndABitmapComeBackByteForByteAfterTheRun) {
  BITMAPINFOHEADER dib = {sizeof dib, 2, 2, 1, 32, BI_RGB, 16, 0, 0, 0, 0};
  const Formats put = {
      {CF_UNICODETEXT, std::string("p\0a\0r\0a\0\0", 10)},
      {RegisterClipboardFormatW(L"Sendlark test private"), std::string("\0\1", 2)},
      {CF_DIB, std::string(reinterpret_cast<char*>(&dib), sizeof dib) + "0123456789abcdef"}};
  OpenClipboard(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, 0, 0, 0));
  EmptyClipboard();
  for (const auto& [format, bytes] : put) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    SetClipboardData(format, memory);
  }
  CloseClipboard();
  const Formats before = ClipboardFormats();
  ASSERT_EQ(before.size(), 7u) << "the text in three forms and its locale, the private format, "
                                  "the DIB and its V5 form";
  DeliverThree(L"");
  EXPECT_TRUE(WaitUntil([&] { return ClipboardFormats() == before; }));
}

// The target copies after its first paste: from then on that is the user's clipboard.
TEST_F(RestoreTest, WhatAnotherProgramCopiesBetweenTwoItemsStays) {
  DeliverThree(L"copy");
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == L"copied by the target"; }))
      << Utf8(ClipboardText());
}

}  // namespace
}  // namespace sendlark::harness
