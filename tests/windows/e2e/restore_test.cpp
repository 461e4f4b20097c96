// With :RestoreClipboard=1 the user's clipboard comes back once a run's items are taken.
#include <gmock/gmock.h>

#include <map>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

using ::testing::ElementsAre;
using Formats = std::map<UINT, std::string>;

// Each format another program can read as memory, as bytes; the system's own forms included.
Formats ClipboardFormats() {
  Formats formats;
  if (!OpenClipboard(nullptr)) return {{0, "<not open>"}};
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    const HANDLE data = format != CF_BITMAP ? GetClipboardData(format) : nullptr;
    if (const char* bytes =
            data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
      formats[format] = std::string(bytes, GlobalSize(data));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return formats;
}

class RestoreTest : public SendlarkTest {
 protected:
  void SetUp() override {
    WriteConfig(RecorderConfig());
    folder.Write(L"Config.ini", folder.Read(L"Config.ini") + ":RestoreClipboard=1;\r\n");
  }
};

TEST_F(RestoreTest, TextAPrivateFormatAndABitmapComeBackByteForByteAfterTheRun) {
  // Two by two pixels of 32 bits, after the 40 bytes of its header.
  const std::string dib =
      std::string("\x28\0\0\0\x02\0\0\0\x02\0\0\0\x01\0\x20\0", 16) + std::string(24, '\0') +
      std::string("\x10\x20\x30\0\x40\x50\x60\0\x70\x80\x90\0\xa0\xb0\xc0\0", 16);
  const std::wstring text = L"the user's paragraph";
  const HWND owner =
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  const Formats put = {
      {CF_UNICODETEXT, std::string(reinterpret_cast<const char*>(text.c_str()),
                                   (text.size() + 1) * sizeof(wchar_t))},
      {RegisterClipboardFormatW(L"Sendlark test private"), std::string("\0\1\2", 3)},
      {CF_DIB, dib}};
  ASSERT_TRUE(OpenClipboard(owner) && EmptyClipboard());
  for (const auto& [format, bytes] : put) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    SetClipboardData(format, memory);
  }
  CloseClipboard();
  const Formats before = ClipboardFormats();
  ASSERT_EQ(before.size(), 7u)
      << "text in three forms, its locale, the private format, DIB and DIBV5";

  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"one\r\ntwo\r\nthree");
  EXPECT_THAT(WaitForRecords(3), ElementsAre(L"one", L"two", L"three"));
  WaitForLogLines(3);
  EXPECT_TRUE(WaitUntil([&] { return ClipboardFormats() == before; }));
  DestroyWindow(owner);
}

// It copies between the first and the second item: that is the user's clipboard from then on.
TEST_F(RestoreTest, WhatAnotherProgramCopiesDuringTheRunStays) {
  auto recorder = StartRecorder(0, L"copy");
  auto sendlark = StartSendlark(L"one\r\ntwo\r\nthree");
  EXPECT_THAT(WaitForRecords(3), ElementsAre(L"one", L"two", L"three"));
  WaitForLogLines(3);
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == L"copied by the target"; }))
      << Utf8(ClipboardText());
}

}  // namespace
}  // namespace sendlark::harness
