#include "setup/setup_program.h"

#include <gtest/gtest.h>

#include "platform/setup_texts.h"
#include "state/program_state.h"
#include "tests/fake/fake_platform.h"

namespace sendlark::setup {
namespace {

using testing::Utf8;

// The texts as these tests see them, "[id %1 %2]", with the values put in.
std::wstring Said(int id, const std::wstring& first = L"%1", const std::wstring& second = L"%2") {
  return L"[" + std::to_wstring(id) + L" " + first + L" " + second + L"]";
}

MenuNode Item(std::wstring caption, std::uint32_t id) {
  return {std::move(caption), id, false, {}};
}

Menu EditMenu(std::wstring paste, std::uint32_t id) {
  return {{L"&Edit", 0, false, {Item(std::move(paste), id)}}};
}

ListedWindow Window(std::uintptr_t handle, std::wstring title, std::optional<Menu> menuBar,
                    std::vector<Menu> programMenus = {}, std::wstring className = L"TargetClass",
                    std::wstring program = L"C:\\target.exe") {
  ListedWindow window;
  window.window = handle;
  window.title = std::move(title);
  window.className = std::move(className);
  window.program = std::move(program);
  window.menuBar = std::move(menuBar);
  window.programMenus = std::move(programMenus);
  return window;
}

class SetupProgramTest : public testing::FakePlatformTest {
 protected:
  std::vector<ListedWindow> windows = {Window(0x1A2B, L"Target Window", EditMenu(L"&Paste", 770))};
  SetupProgram program{[](int id) { return Said(id); }, [this] { return windows; },
                       [this](std::uintptr_t handle) -> std::optional<ListedWindow> {
                         for (const ListedWindow& window : windows) {
                           if (window.window == handle) return window;
                         }
                         return std::nullopt;
                       }};

  std::vector<ListedWindow> Listed() {
    std::wstring status;
    return program.ListWindows(status);
  }
};

struct FallbackCase {
  const char* name;
  std::optional<Menu> menuBar;
  std::vector<Menu> programMenus;
  std::wstring pasteCell;
};

class ProgramFileFallbackTest : public SetupProgramTest,
                                public ::testing::WithParamInterface<FallbackCase> {};

// Wine reads no other process's menus: the menus in its program file count only then.
TEST_P(ProgramFileFallbackTest, OnlyWhenTheMenuBarCannotTell) {
  const FallbackCase& c = GetParam();
  windows = {Window(0xA, L"T", c.menuBar, c.programMenus)};
  EXPECT_EQ(Utf8(Listed()[0].pasteCell), Utf8(c.pasteCell));
}

const Menu kFileOnly = {{L"&File", 0, false, {Item(L"E&xit", 1)}}};

INSTANTIATE_TEST_SUITE_P(
    Menus, ProgramFileFallbackTest,
    ::testing::Values(
        FallbackCase{
            "BarReadableWithPaste", EditMenu(L"&Paste", 770), {EditMenu(L"&Paste", 275)}, L"770"},
        // The first of the file's menus that holds one.
        FallbackCase{"BarUnreadable",
                     std::nullopt,
                     {kFileOnly, EditMenu(L"&Insert\tCtrl+V", 275)},
                     L"275 " + Said(IDS_PASTE_BY_SHORTCUT) + L" " + Said(IDS_PASTE_FROM_FILE)},
        FallbackCase{
            "BarEmpty", Menu{}, {EditMenu(L"&Paste", 275)}, L"275 " + Said(IDS_PASTE_FROM_FILE)},
        FallbackCase{
            "BarWithoutPaste", kFileOnly, {EditMenu(L"&Paste", 275)}, Said(IDS_PASTE_NONE)}),
    [](const ::testing::TestParamInfo<FallbackCase>& info) { return info.param.name; });

// What works here must work for Sendlark: the same delivery, with the number in the box.
TEST_F(SetupProgramTest, TestTextTakesSendlarksRoadWithThePasteCommandTyped) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  const std::wstring status = program.SendTestText(&Listed()[0], L"771");
  ASSERT_EQ(sys.sent.size(), 1u);
  EXPECT_EQ(sys.sent[0].id, 771);
  EXPECT_EQ(sys.sent[0].clipboard, kTestText);
  EXPECT_TRUE(sys.messages.empty());
  EXPECT_EQ(status, Said(IDS_TAKEN, L"Target Window"));
  EXPECT_EQ(g_settings[ApplicationPaste], L"") << "the number reaches the delivery, not Sendlark";
}

TEST_F(SetupProgramTest, TestTextThatIsNotReadSaysThePasteCommandDoesNothing) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  sys.reading = testing::Reading::Never;
  EXPECT_EQ(program.SendTestText(&Listed()[0], L"771"),
            Said(IDS_NOT_TAKEN, L"Target Window", L"771"));
  EXPECT_EQ(sys.messages.size(), 2u) << "Sendlark's two boxes of a failed paste";
}

// The check box starts as Config.ini has it, and is saved as it is.
TEST_F(SetupProgramTest, SaveWritesThePasteCommandTypedAndTheClipboardCheckBox) {
  EXPECT_FALSE(program.RestoresClipboard()) << "no Config.ini yet";
  program.Save(&Listed()[0], L"0771", true);
  EXPECT_EQ(
      sys.ReadFile(L"Config.ini"),
      ":AppliactionName=Target Window;\r\n:AppliactionClass=TargetClass;\r\n"
      ":AppliactionPast=771;\r\n:AppliactionPath=C:\\target.exe;\r\n:RestoreClipboard=1;\r\n");
  EXPECT_TRUE(program.RestoresClipboard());
  EXPECT_TRUE(sys.messages.empty());
}

struct ChoiceCase {
  const char* name;
  bool chosen;
  std::wstring paste;
};

class UnusableChoiceTest : public SetupProgramTest,
                           public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(UnusableChoiceTest, NeitherSavesNorSendsAndSaysWhy) {
  const std::vector<ListedWindow> listed = Listed();
  const ListedWindow* chosen = GetParam().chosen ? &listed[0] : nullptr;
  const std::wstring status = program.Save(chosen, GetParam().paste, true);
  program.SendTestText(chosen, GetParam().paste);
  EXPECT_EQ(sys.messages, std::vector<std::wstring>(2, status));
  EXPECT_TRUE(sys.clipboardWrites.empty());
  EXPECT_FALSE(sys.FileExists(L"Config.ini"));
}

INSTANTIATE_TEST_SUITE_P(Choices, UnusableChoiceTest,
                         ::testing::Values(ChoiceCase{"NoWindowChosen", false, L"770"},
                                           ChoiceCase{"NoPasteCommand", true, L""},
                                           ChoiceCase{"PasteOutOfRange", true, L"2147483648"},
                                           ChoiceCase{"PasteNotANumber", true, L"7a"}),
                         [](const auto& info) { return info.param.name; });

struct ScriptCase {
  std::vector<std::wstring> arguments;
  int exitCode;
  // The argument not understood (exit code 2), or the paste command saved (0).
  std::wstring detail = L"";
};

class ScriptTest : public SetupProgramTest, public ::testing::WithParamInterface<ScriptCase> {};

TEST_P(ScriptTest, DoesWhatItIsAskedOrSaysHowItIsUsed) {
  const ScriptCase& c = GetParam();
  std::wstring message;
  EXPECT_EQ(program.RunScript(c.arguments, message), c.exitCode) << Utf8(message);
  if (c.exitCode == 2) {
    EXPECT_EQ(Utf8(message), Utf8(Said(IDS_USAGE, c.detail)));
  } else if (c.exitCode == 0) {
    EXPECT_NE(sys.ReadFile(L"Config.ini").find(":AppliactionPast=" + Utf8(c.detail) + ";"),
              std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ScriptTest,
    ::testing::Values(
        ScriptCase{{L"/save", L"0x1A2b"}, 0, L"770"},
        ScriptCase{{L"/Save", L"0X1A2B", L"/PASTE", L"0"}, 0, L"0"},
        ScriptCase{{L"/save", L"6699", L"/paste", L"2147483647"}, 0, L"2147483647"},
        ScriptCase{{L"/save", L"18446744073709551615", L"/paste", L"7"}, 1},
        ScriptCase{{L"/list"}, 2, L"/list"}, ScriptCase{{L"/list", L"a", L"b"}, 2, L"b"},
        ScriptCase{{L"/save"}, 2, L"/save"}, ScriptCase{{L"/save", L"0"}, 2, L"0"},
        ScriptCase{{L"/save", L"0x"}, 2, L"0x"}, ScriptCase{{L"/save", L"-5"}, 2, L"-5"},
        ScriptCase{{L"/save", L"18446744073709551616"}, 2, L"18446744073709551616"},
        ScriptCase{{L"/save", L"12", L"770"}, 2, L"770"},
        ScriptCase{{L"/save", L"12", L"/paste"}, 2, L"/paste"},
        ScriptCase{{L"/save", L"12", L"/paste", L"2147483648"}, 2, L"2147483648"},
        ScriptCase{{L"/save", L"12", L"/paste", L" 7"}, 2, L" 7"},
        ScriptCase{{L"/save", L"12", L"/paste", L"+7"}, 2, L"+7"},
        ScriptCase{{L"/save", L"12", L"/paste", L"7", L"x"}, 2, L"x"},
        ScriptCase{{L"/paste", L"7", L"/save", L"12"}, 2, L"/paste"}, ScriptCase{{L""}, 2, L""}));

struct ListCase {
  const char* name;
  std::vector<ListedWindow> windows;
  std::string expected;  // after the header
};

class WindowListTest : public SetupProgramTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(WindowListTest, IsOneLineOfFiveFieldsPerWindow) {
  windows = GetParam().windows;
  std::wstring message;
  ASSERT_EQ(program.RunScript({L"/list", sys.ProgramFolder() + L"\\w.tsv"}, message), 0);
  EXPECT_EQ(sys.ReadFile(L"w.tsv"), "title\tclass\tprogram\tpaste\thwnd\r\n" + GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WindowListTest,
    ::testing::Values(
        ListCase{"NoWindows", {}, ""},
        // Only the number: how it was found is for people.
        ListCase{"PasteFoundByItsShortcutInTheProgramFile",
                 {Window(0xA, L"T", std::nullopt, {EditMenu(L"Put\tCtrl+V", 4294967295u)})},
                 "T\tTargetClass\tC:\\target.exe\t4294967295\t0xA\r\n"},
        ListCase{
            "FieldsHoldingSeparatorsAndNoPaste",
            {Window(0xFFFFFFFFFFFF, L"(無題)\t- メモ帳\r\n", Menu{}, {}, L"A\rB", L"C:\\a\nb.exe"),
             Window(1, L"", EditMenu(L"Paste", 0))},
            "(無題) - メモ帳  \tA B\tC:\\a b.exe\t\t0xFFFFFFFFFFFF\r\n"
            "\tTargetClass\tC:\\target.exe\t0\t0x1\r\n"}),
    [](const ::testing::TestParamInfo<ListCase>& info) { return info.param.name; });

}  // namespace
}  // namespace sendlark::setup
