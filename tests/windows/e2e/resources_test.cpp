// What Explorer shows of Sendlark.exe: its version record and its icon.
#include "tests/windows/support/harness.h"

#include <shellapi.h>

#include <gtest/gtest.h>

namespace sendlark::harness {
namespace {

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe_.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    data_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe_.c_str(), 0, size, data_.data()));
  }
  std::wstring Text(const std::wstring& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\041104B0\\" + name;
    if (!VerQueryValueW(data_.data(), path.c_str(), &value, &length)) return L"<missing>";
    return static_cast<const wchar_t*>(value);
  }

  std::wstring exe_ = BinFolder() + L"\\Sendlark.exe";
  std::vector<BYTE> data_;
};

TEST_F(ResourcesTest, VersionRecordIsJapaneseUnicodeVersion0_01_0002) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data_.data(), L"\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00000001u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000002u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000002u);

  ASSERT_TRUE(VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &length));
  const auto* translation = static_cast<const WORD*>(value);
  EXPECT_EQ(translation[0], 0x0411);
  EXPECT_EQ(translation[1], 1200);

  EXPECT_EQ(Text(L"FileVersion"), L"0.01.0002");
  EXPECT_EQ(Text(L"ProductVersion"), L"0.01.0002");
  EXPECT_EQ(Text(L"ProductName"), L"Sendlark");
  EXPECT_EQ(Text(L"InternalName"), L"Sendlark");
  EXPECT_EQ(Text(L"Comments"), L"Sendlark");
  EXPECT_EQ(Text(L"OriginalFilename"), L"Sendlark.exe");
}

TEST_F(ResourcesTest, CarriesOneThirtyTwoPixelIcon) {
  EXPECT_EQ(ExtractIconExW(exe_.c_str(), -1, nullptr, nullptr, 0), 1u);
  HICON icon = nullptr;
  ASSERT_EQ(ExtractIconExW(exe_.c_str(), 0, &icon, nullptr, 1), 1u);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP mask = {};
  GetObjectW(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  DestroyIcon(icon);
}

}  // namespace
}  // namespace sendlark::harness
