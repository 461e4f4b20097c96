// Start-up of the real program: the strip, a missing configuration, a second copy.
#include <gmock/gmock.h>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

using StartupTest = SendlarkTest;

TEST_F(StartupTest, ShowsTheStripTopmostWithAnEightyEightByTwentyTwoClientArea) {
  WriteConfig(RecorderConfig());
  auto sendlark = StartSendlark();
  HWND strip = WaitForStrip(*sendlark);
  ASSERT_NE(strip, nullptr);
  // Shown first, then placed above the other windows.
  EXPECT_TRUE(WaitUntil([&] { return (GetWindowLongW(strip, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
  RECT client = {};
  GetClientRect(strip, &client);
  EXPECT_EQ(client.right - client.left, 88);
  EXPECT_EQ(client.bottom - client.top, 22);
  // No frame: the window is exactly its client area.
  RECT outer = {};
  GetWindowRect(strip, &outer);
  EXPECT_EQ(outer.right - outer.left, 88);
  EXPECT_EQ(outer.bottom - outer.top, 22);
  EXPECT_FALSE(GetWindowLongW(strip, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
}

TEST_F(StartupTest, MissingConfigShowsTheFileMessageAndEnds) {
  auto sendlark = StartSendlark(L"an item");
  const auto box = WaitForMessageBox(sendlark->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, L"Sendlark");
  const std::wstring prefix = L"ファイル入出力エラー\r\n";
  EXPECT_EQ(box->text.substr(0, prefix.size()), prefix);
  EXPECT_GT(box->text.size(), prefix.size()) << "the system's description follows";
  EXPECT_EQ(FindProcessWindow(sendlark->Id(), kStripClass), nullptr);
  PressOk(*box);
  EXPECT_EQ(sendlark->WaitForExit(), 1u);
}

TEST_F(StartupTest, SecondCopyWithoutArgumentsEndsAtOnceUnseen) {
  WriteConfig(RecorderConfig());
  auto first = StartSendlark();
  ASSERT_NE(WaitForStrip(*first), nullptr);
  auto second = StartSendlark();
  EXPECT_EQ(second->WaitForExit(std::chrono::seconds(5)), 0u);
  EXPECT_TRUE(first->Running());
  EXPECT_EQ(FindProcessWindow(second->Id(), kStripClass), nullptr);
}

TEST_F(StartupTest, CopiesInDifferentFoldersRunSideBySide) {
  WriteConfig(RecorderConfig());
  auto first = StartSendlark();
  ASSERT_NE(WaitForStrip(*first), nullptr);

  const TempFolder other;
  CopyInstallation(other);
  Process second(L"\"" + other.File(L"Sendlark.exe") + L"\"", other.Path());
  EXPECT_TRUE(WaitUntil([&] { return FindProcessWindow(second.Id(), kStripClass) != nullptr; }));
}

// A log file that is Config.ini or the command file, by any of the names the system gives it,
// is refused before anything is delivered: it would be cut to the ten lines of a history.
struct SameFile {
  const char* name;
  std::wstring log;    // empty: the command file's short name
  std::wstring other;  // named in the reason beside :LogFileName
};

class SameFileTest : public SendlarkTest, public ::testing::WithParamInterface<SameFile> {};

TEST_P(SameFileTest, IsRefusedAtStartAndNoFileLosesALine) {
  const std::string lines = "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n";
  folder.Write(L"my commands.txt", lines);
  const std::wstring commands = folder.File(L"my commands.txt");
  ASSERT_TRUE(CreateHardLinkW(folder.File(L"link.txt").c_str(), commands.c_str(), nullptr));
  wchar_t shortPath[MAX_PATH] = {};
  GetShortPathNameW(commands.c_str(), shortPath, MAX_PATH);
  Config config = RecorderConfig();
  config.commandFile = L"my commands.txt";
  config.logFile = GetParam().log.empty() ? std::wcsrchr(shortPath, L'\\') + 1 : GetParam().log;
  WriteConfig(config);
  auto sendlark = StartSendlark(L"item");
  const auto box = WaitForMessageBox(sendlark->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text.rfind(L"ファイル入出力エラー\r\n:LogFileName", 0), 0u) << Utf8(box->text);
  EXPECT_NE(box->text.find(GetParam().other), std::wstring::npos) << Utf8(box->text);
  PressOk(*box);
  EXPECT_EQ(sendlark->WaitForExit(), 1u);
  EXPECT_EQ(folder.Read(L"my commands.txt"), lines);
}

// "Files" takes them into the run under code page 932 too.
INSTANTIATE_TEST_SUITE_P(
    Files, SameFileTest,
    ::testing::Values(SameFile{"ConfigInOtherLetterCase", L"CONFIG.INI", L"Config.ini"},
                      SameFile{"CommandFileAfterDot", L".\\my commands.txt", L":CommandFileName"},
                      SameFile{"CommandFileByItsShortName", L"", L":CommandFileName"},
                      SameFile{"HardLinkToTheCommandFile", L"link.txt", L":CommandFileName"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sendlark::harness
