#include "config/file_io.h"

#include <gtest/gtest.h>

#include "tests/fake/fake_platform.h"

namespace sendlark::testing {
namespace {

struct ReadCase {
  const char* name;
  std::string bytes;
  std::wstring before;
  std::wstring expected;
};

class FileReadTest : public FakePlatformTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(FileReadTest, AppendsEveryLineWithCrLf) {
  const ReadCase& c = GetParam();
  sys.WriteFile(L"f.txt", c.bytes);
  std::wstring text = c.before;
  FileIO(Read, text, L"f.txt");
  EXPECT_EQ(Utf8(text), Utf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FileReadTest,
    ::testing::Values(ReadCase{"CrLf", "A\r\nB\r\n", L"", L"A\r\nB\r\n"},
                      ReadCase{"NoFinalLineEnd", "A\r\nB", L"", L"A\r\nB\r\n"},
                      ReadCase{"CrAlone", "A\rB\r", L"", L"A\r\nB\r\n"},
                      ReadCase{"LfAloneBelongsToTheLine", "A\nB\r\n", L"", L"A\nB\r\n"},
                      ReadCase{"CrThenCrLf", "A\r\r\nB", L"", L"A\r\n\r\nB\r\n"},
                      ReadCase{"EmptyLines", "\r\n\r\n", L"", L"\r\n\r\n"},
                      ReadCase{"AfterEarlierText", "B\r\n", L"A\r\n", L"A\r\nB\r\n"},
                      ReadCase{"EmptyFileLeavesText", "", L"keep", L"keep"},
                      // The mark is no part of the text; line ends count after decoding.
                      ReadCase{"Utf8Mark",
                               "\xEF\xBB\xBF"
                               "A\rB",
                               L"", L"A\r\nB\r\n"},
                      ReadCase{"Utf8WithoutMark", "caf\xC3\xA9", L"", L"café\r\n"},
                      ReadCase{"Utf16Le", std::string("\xFF\xFE\x14\x8A\r\0A\0", 8), L"",
                               L"訔\r\nA\r\n"},
                      ReadCase{"AnsiOtherwise", "caf\xE9", L"", L"café\r\n"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

class FileIOTest : public FakePlatformTest {};

TEST_F(FileIOTest, ReadingAMissingFileShowsTheMessageAndEnds) {
  std::wstring text;
  EXPECT_EQ(ExpectEnd([&] { FileIO(Read, text, L"missing.txt"); }), kFileErrorExitCode);
  ASSERT_EQ(sys.messages.size(), 1u);
  EXPECT_EQ(Utf8(sys.messages[0]), "ファイル入出力エラー\r\nNo such file or directory");
}

TEST_F(FileIOTest, AnEmptyNameNamesTheFolderAndFails) {
  std::wstring text;
  EXPECT_EQ(ExpectEnd([&] { FileIO(Read, text, L""); }), kFileErrorExitCode);
  EXPECT_EQ(sys.messages.size(), 1u);
}

TEST_F(FileIOTest, ShiftJisTextRoundTrips) {
  sys.codePage = "CP932";
  // "表" ends in the byte of a backslash in Shift-JIS; it must survive as one character.
  sys.WriteFile(L"f.txt", Encode(L"表示\\n\r\nソ", "CP932"));
  std::wstring text;
  FileIO(Read, text, L"f.txt");
  EXPECT_EQ(Utf8(text), "表示\\n\r\nソ\r\n");
  FileReplace(L"表\r\n", L"g.txt", FileEncoding::Ansi);
  EXPECT_EQ(sys.ReadFile(L"g.txt"), "\x95\x5c\r\n");
}

TEST_F(FileIOTest, ReplaceWritesTheWholeTextAtOnce) {
  sys.WriteFile(L"f.txt", "old\r\nlines\r\n");
  FileReplace(L"new\r\n", L"f.txt", FileEncoding::Ansi);
  EXPECT_EQ(sys.ReadFile(L"f.txt"), "new\r\n");
  EXPECT_EQ(ExpectEnd([&] { FileReplace(L"x", L"", FileEncoding::Ansi); }), kFileErrorExitCode);
}

}  // namespace
}  // namespace sendlark::testing
