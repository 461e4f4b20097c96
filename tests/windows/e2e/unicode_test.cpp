// Texts outside the system's ANSI code page, in Config.ini, in delivered items and in the
// history; and the faults around the target and the log file that must not lose anything.
#include <gmock/gmock.h>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

using ::testing::ElementsAre;

// Neither code page 1252 nor 932 holds all of it.
const std::wstring kForeign = L"résumé Ωmega 表 🙂";
const std::string kUtf8Mark = "\xEF\xBB\xBF";

class UnicodeConfigTest : public SendlarkTest,
                          public ::testing::WithParamInterface<ConfigEncoding> {};

// Notepad saves new files as UTF-8, without a mark: a title written there must just work.
TEST_P(UnicodeConfigTest, TitleOutsideTheCodePageIsFound) {
  recorderTitle += L" " + kForeign;
  Config config = RecorderConfig();
  config.header = L"表示 ";
  WriteConfig(config, GetParam());
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"item");
  ASSERT_NE(WaitForStrip(*sendlark), nullptr);
  EXPECT_THAT(WaitForRecords(1), ElementsAre(L"表示 item"));
}

INSTANTIATE_TEST_SUITE_P(Encodings, UnicodeConfigTest,
                         ::testing::Values(ConfigEncoding::Utf8, ConfigEncoding::Utf8Bom));

using UnicodeTest = SendlarkTest;

TEST_F(UnicodeTest, AnAnsiLogWhoseEntriesFitIsLeftInTheCodePage) {
  const std::wstring old = GetACP() == 932 ? L"表示" : L"café";
  folder.Write(L"log.txt", Ansi(old + L"\r\n"));
  WriteConfig(RecorderConfig());
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"plain item");
  ASSERT_NE(WaitForStrip(*sendlark), nullptr);
  ASSERT_THAT(WaitForRecords(1), ElementsAre(L"plain item"));
  EXPECT_TRUE(WaitUntil([&] {
    return folder.Read(L"log.txt") == Ansi(L"plain item\r\n" + old + L"\r\n");
  })) << folder.Read(L"log.txt");
}

TEST_F(UnicodeTest, AnEntryOutsideTheCodePageTurnsTheLogIntoUtf8) {
  folder.Write(L"log.txt", "older\r\n");
  WriteConfig(RecorderConfig());
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(kForeign);
  ASSERT_NE(WaitForStrip(*sendlark), nullptr);
  EXPECT_THAT(WaitForRecords(1), ElementsAre(kForeign));
  EXPECT_TRUE(WaitUntil([&] {
    return folder.Read(L"log.txt") == kUtf8Mark + Utf8(kForeign + L"\r\nolder\r\n");
  })) << folder.Read(L"log.txt");
}

// A copy ended in the middle of rewriting the log leaves its temporary file behind; the next
// copy that writes the log, holding the turn, removes it.
TEST_F(UnicodeTest, TemporaryFileOfAnEndedCopyIsRemoved) {
  folder.Write(L"log.txt.4242.tmp", "half written\r\n");
  folder.Write(L"log.txt.backup", "the user's own\r\n");
  WriteConfig(RecorderConfig());
  auto recorder = StartRecorder();
  auto sendlark = StartSendlark(L"item");
  ASSERT_NE(WaitForStrip(*sendlark), nullptr);
  EXPECT_THAT(WaitForLogLines(1), ElementsAre("item"));
  EXPECT_TRUE(WaitUntil([&] { return !folder.Exists(L"log.txt.4242.tmp"); }));
  EXPECT_TRUE(folder.Exists(L"log.txt.backup"));
}

}  // namespace
}  // namespace sendlark::harness
