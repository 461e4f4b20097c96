// The strip on a 144 DPI screen: everything one and a half times as large, and still sharp.
#include <gmock/gmock.h>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

// Sets the screen's DPI for programs started from now on, and puts the old value back.
class ScreenDpi {
 public:
  explicit ScreenDpi(DWORD dpi) {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                    KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
    DWORD size = sizeof old_;
    had_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_),
                            &size) == ERROR_SUCCESS;
    RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof dpi);
  }
  ~ScreenDpi() {
    if (had_) {
      RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_),
                     sizeof old_);
    } else {
      RegDeleteValueW(key_, L"LogPixels");
    }
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool had_ = false;
};

using DpiTest = SendlarkTest;

TEST_F(DpiTest, At144DpiTheStripIs132By33WithWholePixelGripLines) {
  WriteConfig(RecorderConfig());
  std::unique_ptr<Process> sendlark;
  {
    ScreenDpi dpi(144);
    sendlark = StartSendlark();
    ASSERT_TRUE(WaitUntil([&] { return FindProcessWindow(sendlark->Id(), kStripClass, false); }));
  }
  HWND strip = WaitForStrip(*sendlark);
  ASSERT_NE(strip, nullptr);
  Sleep(300);
  RECT rect = {};
  GetWindowRect(strip, &rect);
  ASSERT_EQ(rect.right - rect.left, 132);
  ASSERT_EQ(rect.bottom - rect.top, 33);
  const std::vector<COLORREF> pixels = CaptureScreen(rect);
  const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * 132 + x]; };
  // Each 15-twip line covers its own 1.5 pixels: 2, 1, 2, 1 ... columns, no blended colours.
  const COLORREF white = RGB(255, 255, 255), grey = RGB(128, 128, 128);
  const COLORREF left[12] = {white, white, grey, white, white, grey,
                             white, white, grey, white, white, grey};
  for (int x = 0; x < 12; ++x) {
    for (int y = 0; y < 33; ++y)
      ASSERT_EQ(at(x, y), left[x]) << "x " << x << ", y " << y;
  }
  const HWND toolbar = FindWindowExW(strip, nullptr, L"ToolbarWindow32", nullptr);
  RECT bar = {};
  GetWindowRect(toolbar, &bar);
  EXPECT_EQ(bar.left - rect.left, 12);
  EXPECT_EQ(bar.right - bar.left, 110);
  EXPECT_EQ(bar.bottom - bar.top, 33);
}

}  // namespace
}  // namespace sendlark::harness
