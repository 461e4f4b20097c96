// SendlarkSetup.exe from outside: its /list and /save for scripts, and its window.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>

#include <cwchar>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

using ::testing::ElementsAre;

struct SetupRun {
  std::optional<DWORD> exitCode;
  std::wstring errors;  // what it wrote to its standard error stream
};

class SetupTest : public SendlarkTest {
 protected:
  SetupTest() {
    // It saves into the Config.ini beside itself.
    CopyFileW((BinFolder() + L"\\SendlarkSetup.exe").c_str(),
              folder.File(L"SendlarkSetup.exe").c_str(), FALSE);
  }

  // Runs it to its end with its standard error stream in a file, as a script would.
  SetupRun RunSetup(const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE errors = CreateFileW(folder.File(L"errors.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                &inherited, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = errors;
    std::wstring commandLine = L"\"" + folder.File(L"SendlarkSetup.exe") + L"\" " + arguments;
    PROCESS_INFORMATION process = {};
    SetupRun run;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       folder.Path().c_str(), &startup, &process)) {
      DWORD code = 0;
      if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0 &&
          GetExitCodeProcess(process.hProcess, &code)) {
        run.exitCode = code;
      }
      TerminateProcess(process.hProcess, 99);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
    CloseHandle(errors);
    run.errors = FromUtf8(folder.Read(L"errors.txt"));
    return run;
  }

  // The lines of a /list file, cut into their fields.
  std::vector<std::vector<std::wstring>> ReadList(const std::wstring& name) const {
    const std::wstring text = FromUtf8(folder.Read(name));
    std::vector<std::vector<std::wstring>> lines;
    for (std::size_t start = 0, end; (end = text.find(L"\r\n", start)) != std::wstring::npos;
         start = end + 2) {
      std::vector<std::wstring>& fields = lines.emplace_back();
      for (std::size_t at = start;; ++at) {
        const std::size_t tab = std::min(text.find(L'\t', at), end);
        fields.push_back(text.substr(at, tab - at));
        if ((at = tab) == end) break;
      }
    }
    return lines;
  }

  HWND RecorderWindow(const Process& recorder) const {
    return FindProcessWindow(recorder.Id(), recorderClass);
  }

  // Its window, once it lists the windows, with the controls a test uses.
  struct SetupWindow {
    std::unique_ptr<Process> process;
    HWND list = nullptr;
    HWND title = nullptr;
    HWND paste = nullptr;
    HWND send = nullptr;
  };
  SetupWindow OpenWindow() const {
    SetupWindow setup;
    setup.process =
        std::make_unique<Process>(L"\"" + folder.File(L"SendlarkSetup.exe") + L"\"", folder.Path());
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindProcessWindow(setup.process->Id(), L"SendlarkSetup")); });
    setup.list = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
    setup.title = FindWindowExW(window, nullptr, L"Edit", nullptr);
    setup.paste = FindWindowExW(window, setup.title, L"Edit", nullptr);
    setup.send = FindWindowExW(window, nullptr, L"Button", nullptr);
    WaitUntil([&] { return SendMessageW(setup.list, LVM_GETITEMCOUNT, 0, 0) > 0; });
    return setup;
  }
  // Chooses the row of the window titled `wanted` with the arrow keys, wherever the windows of
  // other programs, and of tests before, put it. False when there is none.
  static bool Choose(const SetupWindow& setup, const std::wstring& wanted) {
    const LRESULT rows = SendMessageW(setup.list, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT row = 0; row < rows; ++row) {
      PostMessageW(setup.list, WM_KEYDOWN, row == 0 ? VK_HOME : VK_DOWN, 0);
      if (!WaitUntil([&] {
            return SendMessageW(setup.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                LVNI_SELECTED) == row;
          })) {
        return false;
      }
      if (WindowText(setup.title) == wanted) return true;
    }
    return false;
  }
};

std::wstring Hex(HWND window) {
  wchar_t text[32];
  std::swprintf(text, 32, L"0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
  return text;
}

// The fields of the line for `window`, its handle given in any letter case.
std::vector<std::wstring> LineOf(const std::vector<std::vector<std::wstring>>& lines, HWND window) {
  for (const std::vector<std::wstring>& fields : lines) {
    if (fields.size() == 5 && _wcsicmp(fields[4].c_str(), Hex(window).c_str()) == 0) return fields;
  }
  return {};
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() &&
         _wcsicmp(text.substr(text.size() - end.size()).c_str(), end.c_str()) == 0;
}

TEST_F(SetupTest, ListShowsTheRecorderAndNotepadWithItsPasteCommand) {
  auto recorder = StartRecorder();
  Process notepad(L"notepad.exe", folder.Path());
  HWND notepadWindow = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (notepadWindow = FindProcessWindow(notepad.Id(), L"Notepad")); }));

  const SetupRun run = RunSetup(L"/list windows.tsv");
  ASSERT_EQ(run.exitCode, 0u) << Utf8(run.errors);
  const auto lines = ReadList(L"windows.tsv");
  ASSERT_FALSE(lines.empty());
  EXPECT_THAT(lines[0], ElementsAre(L"title", L"class", L"program", L"paste", L"hwnd"));

  const std::vector<std::wstring> ours = LineOf(lines, RecorderWindow(*recorder));
  ASSERT_EQ(ours.size(), 5u);
  EXPECT_EQ(ours[0], recorderTitle);
  EXPECT_EQ(ours[1], recorderClass);
  EXPECT_TRUE(EndsWith(ours[2], L"\\recorder.exe")) << Utf8(ours[2]);
  EXPECT_EQ(ours[3], L"") << "the recorder has no menus";

  // Wine reads no other process's menus: the paste command comes from notepad.exe's resources.
  const std::vector<std::wstring> its = LineOf(lines, notepadWindow);
  ASSERT_EQ(its.size(), 5u);
  EXPECT_EQ(its[0], GetACP() == 932 ? L"(無題) - メモ帳" : L"Untitled - Notepad");
  EXPECT_EQ(its[1], L"Notepad");
  EXPECT_TRUE(EndsWith(its[2], L"\\notepad.exe")) << Utf8(its[2]);
  EXPECT_EQ(its[3], L"275");
}

// The title is outside code page 1252, so there Config.ini becomes UTF-8; in 932 it stays ANSI.
TEST_F(SetupTest, SaveOfAJapaneseTitleLetsSendlarkDeliverToIt) {
  recorderTitle = L"記録係 " + recorderTitle;
  Config config;
  config.name = L"stale";
  config.className = L"stale";
  config.paste = L"1";
  config.header = L"<";
  config.footer = L">";
  WriteConfig(config);
  auto recorder = StartRecorder();

  const SetupRun run = RunSetup(L"/save " + Hex(RecorderWindow(*recorder)) + L" /paste 770");
  ASSERT_EQ(run.exitCode, 0u) << Utf8(run.errors);
  EXPECT_EQ(folder.Read(L"Config.ini").starts_with("\xEF\xBB\xBF"), GetACP() != 932);
  auto sendlark = StartSendlark(L"item");
  EXPECT_THAT(WaitForRecords(1), ElementsAre(L"<item>"));
}

TEST_F(SetupTest, SaveWithoutAPasteCommandFailsSayingHowToGiveOne) {
  WriteConfig(RecorderConfig());
  const std::string before = folder.Read(L"Config.ini");
  auto recorder = StartRecorder();
  const std::wstring handle =
      std::to_wstring(reinterpret_cast<std::uintptr_t>(RecorderWindow(*recorder)));
  const SetupRun run = RunSetup(L"/save " + handle);
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_NE(run.errors.find(recorderTitle), std::wstring::npos) << Utf8(run.errors);
  EXPECT_NE(run.errors.find(L"/paste"), std::wstring::npos) << Utf8(run.errors);
  EXPECT_EQ(folder.Read(L"Config.ini"), before);
}

TEST_F(SetupTest, UnknownArgumentGetsTheUsage) {
  const SetupRun run = RunSetup(L"/lsit windows.tsv");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_NE(run.errors.find(L"/lsit"), std::wstring::npos) << Utf8(run.errors);
  EXPECT_NE(run.errors.find(L"/list FILE"), std::wstring::npos) << Utf8(run.errors);
}

// A window whose only way in is an edit field: no menu holds a paste command, and the test
// send finds that the field takes the paste message. SendlarkSetup's window is in front, and the
// field gets the focus only a moment after its window was brought forward.
TEST_F(SetupTest, TestSendFindsThePasteMessageForAWindowWithOnlyAnEditField) {
  auto recorder = StartRecorder(300, L"edit");
  const HWND field = FindWindowExW(RecorderWindow(*recorder), nullptr, L"Edit", nullptr);
  const SetupWindow setup = OpenWindow();
  ASSERT_TRUE(Choose(setup, recorderTitle));
  EXPECT_EQ(WindowText(setup.paste), L"");
  PostMessageW(setup.send, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(setup.paste) == L"WM_PASTE"; }));
  EXPECT_EQ(WindowText(field), L"Sendlark test\r\n") << "arrived once";
  EXPECT_FALSE(FindProcessWindow(setup.process->Id(), L"#32770")) << "no box for a route it found";
}

// Like a terminal, it takes neither the paste message nor Ctrl+V, which types a control
// character into it. The search tries Shift+Insert before Ctrl+V, and stops there.
TEST_F(SetupTest, TestSendFindsShiftInsertForATerminalThatPastesOnlyWithIt) {
  auto recorder = StartRecorder(0, L"shift-insert");
  const SetupWindow setup = OpenWindow();
  ASSERT_TRUE(Choose(setup, recorderTitle));
  PostMessageW(setup.send, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(setup.paste) == L"Shift+Insert"; }));
  EXPECT_THAT(ReadRecords(recordFile), ElementsAre(L"Sendlark test\r\n"));
  EXPECT_FALSE(FindProcessWindow(setup.process->Id(), L"#32770"));
}

// A console's paste command sits in its window menu, which Wine lets no other program read, and
// in no program file: it is known by the console's class, and saved without a search.
TEST_F(SetupTest, ListShowsTheConsolesPasteCommandAndSaveTakesIt) {
  const WineConsole console(folder.Path());
  ASSERT_NE(console.Window(), nullptr);
  const SetupRun run = RunSetup(L"/list windows.tsv");
  ASSERT_EQ(run.exitCode, 0u) << Utf8(run.errors);
  const std::vector<std::wstring> its = LineOf(ReadList(L"windows.tsv"), console.Window());
  ASSERT_EQ(its.size(), 5u);
  EXPECT_EQ(its[3], L"274");
  const SetupRun save = RunSetup(L"/save " + Hex(console.Window()));
  ASSERT_EQ(save.exitCode, 0u) << Utf8(save.errors);
  EXPECT_NE(folder.Read(L"Config.ini").find(":AppliactionPast=274;"), std::string::npos);
}

TEST_F(SetupTest, WindowListsOtherProgramsAndF5ListsThemAfresh) {
  auto recorder = StartRecorder();
  Process setup(L"\"" + folder.File(L"SendlarkSetup.exe") + L"\"", folder.Path());
  HWND window = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (window = FindProcessWindow(setup.Id(), L"SendlarkSetup")); }));
  const HWND list = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
  ASSERT_NE(list, nullptr);
  const auto rows = [&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); };
  ASSERT_TRUE(WaitUntil([&] { return rows() > 0; }));

  const LRESULT before = rows();
  auto second = StartRecorder();
  PostMessageW(window, WM_KEYDOWN, VK_F5, 0);
  EXPECT_TRUE(WaitUntil([&] { return rows() > before; })) << before << " rows stayed";
}

}  // namespace
}  // namespace sendlark::harness
