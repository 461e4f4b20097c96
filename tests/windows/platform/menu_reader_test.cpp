#include "platform/win32/setup/target_windows.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "setup/paste_command.h"

namespace sendlark::win32 {
namespace {

// One popup of a menu bar: its caption and its items, a null caption standing for a separator.
struct MenuItemSpec {
  const wchar_t* caption;
  UINT id;
};

struct MenuCase {
  const char* name;
  const wchar_t* popup;
  std::vector<MenuItemSpec> items;
  std::optional<setup::PasteCommand> expected;
};

// A window of this process with a menu bar of one popup. Its menus can be read even under
// Wine, which reads no other process's menus.
class MenuWindow {
 public:
  explicit MenuWindow(const MenuCase& c) {
    const HMENU popup = ::CreatePopupMenu();
    for (const MenuItemSpec& item : c.items) {
      ::AppendMenuW(popup, item.caption ? MF_STRING : MF_SEPARATOR, item.id, item.caption);
    }
    const HMENU bar = ::CreateMenu();
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), c.popup);
    // The window owns its menu bar from here on.
    window_ = ::CreateWindowExW(0, L"STATIC", L"Menu test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, bar, nullptr, nullptr);
  }
  ~MenuWindow() { ::DestroyWindow(window_); }
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

class MenuReaderTest : public ::testing::TestWithParam<MenuCase> {};

TEST_P(MenuReaderTest, ReadsTheMenuBarAndFindsThePasteCommand) {
  const MenuCase& c = GetParam();
  const MenuWindow window(c);
  const std::optional<Menu> bar = ReadMenu(::GetMenu(window.Handle()));
  ASSERT_TRUE(bar);
  ASSERT_EQ(bar->size(), 1u);
  EXPECT_EQ((*bar)[0].caption, c.popup);
  ASSERT_EQ((*bar)[0].items.size(), c.items.size());
  for (std::size_t i = 0; i < c.items.size(); ++i) {
    const MenuNode& item = (*bar)[0].items[i];
    EXPECT_EQ(item.separator, c.items[i].caption == nullptr);
    EXPECT_EQ(item.caption, c.items[i].caption ? c.items[i].caption : L"");
    EXPECT_EQ(item.id, c.items[i].id);
  }
  // The whole description, with the system menu, finds the same in the menus themselves.
  const std::optional<ListedWindow> facts =
      DescribeWindow(reinterpret_cast<std::uintptr_t>(window.Handle()));
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->className, L"Static");
  ASSERT_TRUE(facts->menuBar);
  EXPECT_EQ(setup::FindPasteCommand(*facts->menuBar, facts->systemMenu), c.expected);
  EXPECT_TRUE(facts->programMenus.empty()) << "read only where the menu bar cannot tell";
}

INSTANTIATE_TEST_SUITE_P(
    Menus, MenuReaderTest,
    ::testing::Values(MenuCase{"PasteByItsCaption",
                               L"&Edit",
                               {{L"&Undo\tCtrl+Z", 768}, {nullptr, 0}, {L"&Paste\tCtrl+V", 770}},
                               setup::PasteCommand{770, false}},
                      MenuCase{"PasteOnlyByCtrlV",
                               L"&Edit",
                               {{L"&Copy\tCtrl+C", 769}, {L"&Insert clipboard\tCtrl+V", 771}},
                               setup::PasteCommand{771, true}},
                      MenuCase{"JapaneseCaption",
                               L"編集(&E)",
                               {{L"貼り付け(&P)\tCtrl+V", 772}},
                               setup::PasteCommand{772, false}},
                      MenuCase{"NoPaste", L"&File", {{L"E&xit", 1}}, std::nullopt}),
    [](const ::testing::TestParamInfo<MenuCase>& info) { return info.param.name; });

// What Wine's notepad shows once its own menus cannot be read.
TEST(ProgramMenusTest, NotepadsProgramFileHoldsItsPasteCommand) {
  wchar_t system[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);
  const std::vector<Menu> menus = ReadProgramMenus(std::wstring(system) + L"\\notepad.exe");
  std::optional<setup::PasteCommand> paste;
  for (std::size_t i = 0; i < menus.size() && !paste; ++i) {
    paste = setup::FindPasteCommand(menus[i], {});
  }
  ASSERT_TRUE(paste);
  EXPECT_EQ(paste->id, 275u);
  EXPECT_TRUE(ReadProgramMenus(L"C:\\no such program.exe").empty());
}

TEST(ListTargetWindowsTest, NeverListsThisProgramsOwnWindows) {
  const MenuWindow window({"", L"&Edit", {{L"&Paste", 770}}, std::nullopt});
  ::ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
  const std::vector<ListedWindow> listed = ListTargetWindows();
  EXPECT_TRUE(std::none_of(listed.begin(), listed.end(), [&](const ListedWindow& facts) {
    return facts.window == reinterpret_cast<std::uintptr_t>(window.Handle());
  }));
}

}  // namespace
}  // namespace sendlark::win32
