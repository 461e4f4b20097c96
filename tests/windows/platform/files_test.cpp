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
    const FileRead read = platform_.ReadFileBytes(Path(name), 1 << 20);
    EXPECT_FALSE(read.error);
    return read.bytes;
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

// The size that counts is the one of the file that is read, not of a link to it, and a file must
// not slip past the limit by growing once its size was taken.
TEST_F(FilesTest, AFileAboveTheLimitIsRefusedHoweverItIsReached) {
  EXPECT_FALSE(platform_.ReplaceFileBytes(Path(L"large.txt"), "0123456789x"));
  EXPECT_FALSE(platform_.ReplaceFileBytes(Path(L"fits.txt"), "0123456789"));
  // Wine makes links that it cannot follow itself; Windows follows them.
  const bool linked = CreateSymbolicLinkW(Path(L"link.txt").c_str(), Path(L"large.txt").c_str(),
                                          SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0 &&
                      platform_.ReadFileBytes(Path(L"link.txt"), 100).bytes.size() == 11;
  for (const auto& [name, tooLarge] : {std::pair{L"large.txt", true}, std::pair{L"fits.txt", false},
                                       std::pair{linked ? L"link.txt" : L"large.txt", true}}) {
    const FileRead read = platform_.ReadFileBytes(Path(name), 10);
    EXPECT_EQ(read.tooLarge, tooLarge) << harness::Utf8(name);
    EXPECT_EQ(read.bytes, tooLarge ? "" : "0123456789") << harness::Utf8(name);
    EXPECT_FALSE(read.error);
  }
  EXPECT_TRUE(platform_.ReadFileBytes(Path(L"missing.txt"), 10).error) << "not taken for small";
}

}  // namespace
}  // namespace sendlark::win32
