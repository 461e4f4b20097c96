// Both programs' first statement limits where DLLs loaded later by bare name come from: the
// system's folder, not the program's own, where anyone may have put a DLL of that name.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/unique_handle.h"

namespace sendlark::win32 {
namespace {

TEST(DllSearchTest, ADllBesideTheProgramIsFoundOnlyUntilTheSearchIsLimited) {
  constexpr wchar_t kPlanted[] = L"sendlark_planted.dll";
  ASSERT_TRUE(UniqueModule(::LoadLibraryW(kPlanted))) << "built beside the test program";
  // Unloaded again, so that the second load has to look for it.
  ASSERT_EQ(::GetModuleHandleW(kPlanted), nullptr);
  ASSERT_TRUE(::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32));
  EXPECT_FALSE(UniqueModule(::LoadLibraryW(kPlanted)));
}

}  // namespace
}  // namespace sendlark::win32
