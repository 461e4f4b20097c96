// With :RestoreClipboard=1 the user's clipboard comes back once a run's items are taken.
#include <gmock/gmock.h>

#include <atomic>
#include <map>
#include <thread>

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

// Every format held as memory comes back as it was put: an ANSI text that is not the Unicode
// text's conversion, and a DIB's V5 form with its alpha, among them.
TEST_F(RestoreTest, EveryFormatComesBackAsItsProgramPutIt) {
  BITMAPINFOHEADER dib = {sizeof dib, 2, 2, 1, 32, BI_RGB, 16, 0, 0, 0, 0};
  BITMAPV5HEADER v5 = {};
  v5.bV5Size = sizeof v5;
  v5.bV5Width = v5.bV5Height = 2;
  v5.bV5Planes = 1;
  v5.bV5BitCount = 32;
  v5.bV5Compression = BI_BITFIELDS;
  v5.bV5RedMask = 0x00FF0000;
  v5.bV5GreenMask = 0x0000FF00;
  v5.bV5BlueMask = 0x000000FF;
  v5.bV5AlphaMask = 0xFF000000;
  v5.bV5CSType = 0x73524742;  // 'sRGB'
  const auto bytes = [](const auto& header) {
    return std::string(reinterpret_cast<const char*>(&header), sizeof header);
  };
  PutClipboard(
      {{CF_UNICODETEXT, std::string("p\0a\0r\0a\0\0", 10)},
       {CF_TEXT, std::string("not para\0", 9)},
       {RegisterClipboardFormatW(L"Sendlark test private"), std::string("\0\1", 2)},
       {CF_DIB, bytes(dib) + "0123456789abcdef"},
       {CF_DIBV5, bytes(v5) + "\x80\x10\x20\x30\x40\x50\x60\x70\x7f\x6f\x5f\x4f\x01\x02\x03\x04"}});
  const Formats before = ClipboardFormats();
  ASSERT_EQ(before.size(), 7u) << "the text in three forms and its locale, the private format, "
                                  "the DIB and its V5 form";
  ASSERT_EQ(before.at(CF_TEXT).substr(0, 8), "not para");
  DeliverThree(L"");
  WaitUntil([&] { return ClipboardFormats() == before; });
  const Formats after = ClipboardFormats();
  EXPECT_EQ(after.size(), before.size());
  for (const auto& [format, bytes] : before) {
    EXPECT_EQ(after.contains(format) ? after.at(format) : "<missing>", bytes)
        << "format " << format;
  }
}

// The program that copied last announced its text without the data, and hangs: the copy of the
// user's clipboard does not wait for it, with the clipboard open, and the items go on.
TEST_F(RestoreTest, AnOwnerThatHangsIsNotWaitedFor) {
  const HANDLE recovered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> put = false;
  std::thread owner([&] {
    const HWND window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    OpenClipboard(window);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, nullptr);
    CloseClipboard();
    put = true;
    WaitForSingleObject(recovered, 30000);  // handles no message meanwhile
    DestroyWindow(window);
  });
  ASSERT_TRUE(WaitUntil([&] { return put.load(); }));
  DeliverThree(L"");
  EXPECT_EQ(ClipboardText(), L"three") << "what could not be copied is not put back";
  SetEvent(recovered);
  owner.join();
  CloseHandle(recovered);
}

// The target copies after its first paste: from then on that is the user's clipboard.
TEST_F(RestoreTest, WhatAnotherProgramCopiesBetweenTwoItemsStays) {
  DeliverThree(L"copy");
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == L"copied by the target"; }))
      << Utf8(ClipboardText());
}

}  // namespace
}  // namespace sendlark::harness
