#include "platform/setup_texts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/windows/support/harness.h"

namespace sendlark::win32 {
namespace {

// SendlarkSetup's string tables: a text left out in one language would show in the other, and
// one that lost a value would not name the key or the reason.
TEST(SetupTextsTest, EachIsInBothLanguagesWithTheSameValues) {
  const HMODULE setup = LoadLibraryExW((harness::BinFolder() + L"\\SendlarkSetup.exe").c_str(),
                                       nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(setup, nullptr);
  for (int id = IDS_FIRST; id <= IDS_LAST; ++id) {
    std::wstring values[2];  // the digits of its "%1", "%2", ...
    for (const LANGID language : {0x0409, 0x0411}) {
      const HRSRC block =
          FindResourceExW(setup, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
      auto text = static_cast<const wchar_t*>(LockResource(LoadResource(setup, block)));
      ASSERT_NE(text, nullptr) << id;
      // Sixteen strings to a block, each after its length.
      for (int i = 0; i < id % 16; ++i)
        text += 1 + *text;
      EXPECT_GT(*text, 0) << id << " in " << language;
      std::wstring& found = values[language == 0x0411];
      for (int i = 1; i < *text; ++i) {
        if (text[i] == L'%') found += text[i + 1];
      }
      std::sort(found.begin(), found.end());
    }
    EXPECT_EQ(values[0], values[1]) << id;
  }
  FreeLibrary(setup);
}

}  // namespace
}  // namespace sendlark::win32
