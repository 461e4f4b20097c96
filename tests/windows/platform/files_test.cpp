#include "platform/win32/win32_platform.h"
#include "tests/windows/support/harness.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace sendlark::win32 {
namespace {

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    folder_ = std::wstring(base) + L"sendlark-files-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
          SetFileAttributesW(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileW(Path(name).c_str());
        }
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(folder_.c_str());
  }
  std::wstring Path(const std::wstring& name) const { return folder_ + L"\\" + name; }
  int FileCount() const {
    int count = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
      if (found.cFileName[0] != L'.') ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
  }
  std::string Content(const std::wstring& name) {
    std::string bytes;
    EXPECT_FALSE(platform_.ReadFileBytes(Path(name), bytes));
    return bytes;
  }
  std::wstring folder_;
  Win32Platform platform_;
};

TEST_F(FilesTest, ReplaceLeavesOnlyTheNewContentAndNoTemporaryFile) {
  EXPECT_FALSE(platform_.ReplaceFileBytes(Path(L"log.txt"), "old 1\r\nold 2\r\nold 3\r\n"));
  EXPECT_FALSE(platform_.ReplaceFileBytes(Path(L"log.txt"), "new\r\n"));
  EXPECT_EQ(Content(L"log.txt"), "new\r\n");
  EXPECT_EQ(FileCount(), 1);
}

TEST_F(FilesTest, FailedReplaceKeepsTheOldContentAndCleansUp) {
  EXPECT_FALSE(platform_.ReplaceFileBytes(Path(L"log.txt"), "old\r\n"));
  SetFileAttributesW(Path(L"log.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  // Moving over a read-only file is refused.
  const ErrorText error = platform_.ReplaceFileBytes(Path(L"log.txt"), "new\r\n");
  SetFileAttributesW(Path(L"log.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(error);
  EXPECT_EQ(Content(L"log.txt"), "old\r\n");
  EXPECT_EQ(FileCount(), 1);
}

// A copy ended in the middle of a replacement leaves "<file>.<process id>.tmp" behind. (Process
// ids are small multiples of four, and the system ignores their two lowest bits, so these name
// no running process.)
TEST_F(FilesTest, StaleReplacementsAreRemovedAndNothingElse) {
  const std::wstring running = L"log.txt." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  const std::vector<std::pair<const wchar_t*, bool>> files = {
      {L"log.txt", false},
      {L"log.txt.4000000000.tmp", true},
      {L"LOG.TXT.4000000004.TMP", true},
      {L"log.txt.abc.tmp", false},
      {L"log.txt.tmp", false},
      {L"log.txt.1.tmp.bak", false},
      {L"other.txt.1.tmp", false},
      {L"xlog.txt.1.tmp", false},
      {running.c_str(), false},
  };
  for (const auto& [name, stale] : files)
    EXPECT_FALSE(platform_.ReplaceFileBytes(Path(name), "x"));
  platform_.RemoveStaleReplacements(Path(L"log.txt"));
  for (const auto& [name, stale] : files) {
    EXPECT_EQ(GetFileAttributesW(Path(name).c_str()) == INVALID_FILE_ATTRIBUTES, stale)
        << harness::Utf8(name);
  }
}

}  // namespace
}  // namespace sendlark::win32
