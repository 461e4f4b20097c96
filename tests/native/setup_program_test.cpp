#include "setup/setup_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <tuple>

#include "delivery/send_command.h"
#include "platform/setup_texts.h"
#include "state/program_state.h"
#include "tests/fake/fake_platform.h"

namespace sendlark::setup {
namespace {

using testing::Utf8;

// The texts as these tests see them, "[id %1 %2 %3]", with the values put in.
std::wstring Said(int id, const std::wstring& first = L"%1", const std::wstring& second = L"%2",
                  const std::wstring& third = L"%3") {
  return L"[" + std::to_wstring(id) + L" " + first + L" " + second + L" " + third + L"]";
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
  // The first window listed, or none, with the paste box as typed and its own title, exactly.
  SetupChoice Choice(std::wstring paste, bool chosen = true) {
    listed = Listed();
    return {chosen ? &listed[0] : nullptr, std::move(paste), listed[0].title};
  }
  std::vector<ListedWindow> listed;
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
  SetupChoice choice = Choice(L"771");
  const std::wstring status = program.SendTestText(choice);
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
  SetupChoice choice = Choice(L"771");
  EXPECT_EQ(program.SendTestText(choice), Said(IDS_NOT_TAKEN, L"Target Window", L"771"));
  EXPECT_EQ(sys.messages.size(), 2u) << "Sendlark's two boxes of a failed paste";
}

// The check box starts as Config.ini has it, and is saved as it is.
TEST_F(SetupProgramTest, SaveWritesThePasteCommandTypedAndTheClipboardCheckBox) {
  EXPECT_FALSE(program.RestoresClipboard()) << "no Config.ini yet";
  SetupChoice choice = Choice(L"0771");
  choice.restoreClipboard = true;
  program.Save(choice);
  EXPECT_EQ(
      sys.ReadFile(L"Config.ini"),
      ":AppliactionName=Target Window;\r\n:AppliactionClass=TargetClass;\r\n"
      ":AppliactionPast=771;\r\n:AppliactionPath=C:\\target.exe;\r\n:RestoreClipboard=1;\r\n");
  EXPECT_TRUE(program.RestoresClipboard());
  EXPECT_TRUE(sys.messages.empty());
}

struct RouteSearchCase {
  const char* name;
  bool messageTaken;
  std::vector<PasteRoute> keysIgnored;
  testing::Reading reading;
  std::vector<std::string> tried;  // the paste requests, in order
  std::wstring status;
  std::wstring paste;  // in the box afterwards
};

class RouteSearchTest : public SetupProgramTest,
                        public ::testing::WithParamInterface<RouteSearchCase> {};

// A window without a paste command, with none typed, gets the test text through the first route
// it takes, and only that once; the routes it ignores are no failure to show. Shift+Insert comes
// before Ctrl+V, which a terminal that does not take it as paste types as a control character.
TEST_P(RouteSearchTest, TriesTheMessageThenShiftInsertThenCtrlVAndStopsAtTheFirstTaken) {
  const RouteSearchCase& c = GetParam();
  windows = {Window(0x1A2B, L"Target Window", Menu{})};
  sys.AddWindow(L"TargetClass", L"Target Window");
  sys.pasteMessageIgnored = !c.messageTaken;
  sys.keysIgnored = c.keysIgnored;
  sys.reading = c.reading;
  SetupChoice choice = Choice(L"");
  EXPECT_EQ(program.SendTestText(choice), c.status);
  EXPECT_EQ(choice.paste, c.paste);
  std::vector<std::string> tried;
  std::copy_if(sys.trace.begin(), sys.trace.end(), std::back_inserter(tried), [](const auto& call) {
    return call.starts_with("send:") || call.starts_with("keys:");
  });
  EXPECT_EQ(tried, c.tried);
  EXPECT_TRUE(sys.messages.empty());
}

const std::vector<std::string> kAllRoutes = {"send:WM_PASTE", "keys:Shift+Insert", "keys:Ctrl+V"};

INSTANTIATE_TEST_SUITE_P(
    Routes, RouteSearchTest,
    ::testing::Values(RouteSearchCase{"Message",
                                      true,
                                      {},
                                      testing::Reading::DuringCommand,
                                      {"send:WM_PASTE"},
                                      Said(IDS_ROUTE_FOUND, L"Target Window", L"WM_PASTE"),
                                      L"WM_PASTE"},
                      RouteSearchCase{"ShiftInsert",
                                      false,
                                      {},
                                      testing::Reading::DuringCommand,
                                      {"send:WM_PASTE", "keys:Shift+Insert"},
                                      Said(IDS_ROUTE_FOUND_AFTER, L"Target Window", L"Shift+Insert",
                                           L"WM_PASTE"),
                                      L"Shift+Insert"},
                      RouteSearchCase{"CtrlV",
                                      false,
                                      {PasteRoute::ShiftInsert},
                                      testing::Reading::DuringCommand,
                                      kAllRoutes,
                                      Said(IDS_ROUTE_FOUND_AFTER, L"Target Window", L"Ctrl+V",
                                           L"WM_PASTE" + Said(IDS_ROUTES_JOINED) + L"Shift+Insert"),
                                      L"Ctrl+V"},
                      RouteSearchCase{"None",
                                      true,
                                      {},
                                      testing::Reading::Never,
                                      kAllRoutes,
                                      Said(IDS_NO_ROUTE, L"Target Window"),
                                      L""}),
    [](const auto& info) { return info.param.name; });

// Another copy's strip, from any folder: delivering to it would have the two copies wait for
// each other's delivery lock.
TEST_F(SetupProgramTest, NoCopysStripIsSavedOrFed) {
  windows = {Window(0x5, L"Sendlark", Menu{}, {}, L"SendlarkStrip")};
  sys.AddWindow(L"SendlarkStrip", L"Sendlark");
  std::wstring message;
  EXPECT_EQ(program.RunScript({L"/save", L"5", L"/paste", L"770"}, message), 1);
  const SetupChoice choice{&windows[0], L"770", L"Sendlark"};
  EXPECT_EQ(program.Save(choice), message);
  EXPECT_EQ(message, Said(IDS_STRIP_NOT_A_TARGET));
  EXPECT_FALSE(sys.FileExists(L"Config.ini"));
  EXPECT_EQ(Deliver(kTestText, {L"sendlarkSTRIP", L"Sendlark", L"770"}), Delivery::Failed);
  EXPECT_TRUE(sys.sent.empty());
}

struct HotKeyCase {
  std::wstring typed;
  int reason;
  std::wstring shown;  // in the reason
};

class RefusedHotKeyTest : public SetupProgramTest,
                          public ::testing::WithParamInterface<HotKeyCase> {};

// As Sendlark refuses them, a long one cut as its box would show it.
TEST_P(RefusedHotKeyTest, IsNotSavedAndTheBoxSaysWhy) {
  SetupChoice choice = Choice(L"770");
  choice.hotKey = GetParam().typed;
  EXPECT_EQ(program.Save(choice), Said(GetParam().reason, GetParam().shown));
  EXPECT_EQ(sys.messages.size(), 1u);
  EXPECT_FALSE(sys.FileExists(L"Config.ini"));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RefusedHotKeyTest,
    ::testing::Values(HotKeyCase{L"S", IDS_HOTKEY_NO_MODIFIER, L"S"},
                      HotKeyCase{L"Ctrl+S+T", IDS_HOTKEY_NOT_A_MODIFIER, L"Ctrl+S+T"},
                      HotKeyCase{L"Ctrl+F25", IDS_HOTKEY_NOT_A_KEY, L"Ctrl+F25"},
                      HotKeyCase{L"shift+insert", IDS_HOTKEY_CLIPBOARD_SHORTCUT, L"shift+insert"},
                      HotKeyCase{L"Ctrl+" + std::wstring(200, L'A'), IDS_HOTKEY_NOT_A_KEY,
                                 L"Ctrl+" + std::wstring(94, L'A') + L"…"}));

struct ChoiceCase {
  const char* name;
  bool chosen;
  std::wstring paste;
};

class UnusableChoiceTest : public SetupProgramTest,
                           public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(UnusableChoiceTest, NeitherSavesNorSendsAndSaysWhy) {
  SetupChoice choice = Choice(GetParam().paste, GetParam().chosen);
  const std::wstring status = program.Save(choice);
  program.SendTestText(choice);
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
        ScriptCase{
            {L"/save", L"6699", L"/title-match", L"ANY", L"/paste", L" ctrl+v"}, 0, L"Ctrl+V"},
        ScriptCase{{L"/save", L"6699", L"/title", L"Target"}, 0, L"770"},
        ScriptCase{{L"/save", L"6699", L"/title-match", L"prefix"}, 2, L"prefix"},
        ScriptCase{{L"/save", L"6699", L"/title", L"a", L"/title", L"b"}, 2, L"/title"},
        ScriptCase{{L"/save", L"6699", L"/title"}, 2, L"/title"},
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
            "\tTargetClass\tC:\\target.exe\t0\t0x1\r\n"},
        // Their paste command sits in the system menu, which Wine reads for no other program.
        ListCase{
            "ConsolesByTheirClass",
            {Window(0xB, L"cmd", std::nullopt, {}, L"ConsoleWindowClass", L""),
             Window(0xC, L"cmd.exe", std::nullopt, {}, L"WineConsoleClass", L"")},
            "cmd\tConsoleWindowClass\t\t65521\t0xB\r\ncmd.exe\tWineConsoleClass\t\t274\t0xC\r\n"}),
    [](const ::testing::TestParamInfo<ListCase>& info) { return info.param.name; });

}  // namespace
}  // namespace sendlark::setup
