#include "setup/target_row.h"

#include <gtest/gtest.h>

namespace sendlark::setup {
namespace {

MenuNode Item(std::wstring caption, std::uint32_t id) {
  return {std::move(caption), id, false, {}};
}

MenuNode Popup(std::wstring caption, Menu items) {
  return {std::move(caption), 0, false, std::move(items)};
}

const Menu kFileOnly = {Popup(L"&File", {Item(L"E&xit", 1)})};
const Menu kEditWithPaste = {Popup(L"&Edit", {Item(L"&Paste\tCtrl+V", 275)})};

struct FallbackCase {
  const char* name;
  std::optional<Menu> menuBar;
  std::vector<Menu> programMenus;
  std::optional<std::uint32_t> paste;
  bool fromProgramFile;
};

class ProgramFileFallbackTest : public ::testing::TestWithParam<FallbackCase> {};

TEST_P(ProgramFileFallbackTest, OnlyWhenTheMenuBarCannotTell) {
  const FallbackCase& c = GetParam();
  WindowFacts facts;
  facts.program = L"C:\\target.exe";
  facts.menuBar = c.menuBar;
  facts.programMenus = c.programMenus;
  const TargetRow row = TargetRowOf(facts);
  EXPECT_EQ(row.paste ? std::optional(row.paste->id) : std::nullopt, c.paste);
  EXPECT_EQ(row.pasteFromProgramFile, c.fromProgramFile);
}

INSTANTIATE_TEST_SUITE_P(
    Menus, ProgramFileFallbackTest,
    ::testing::Values(FallbackCase{"BarReadableWithPaste",
                                   Menu{Popup(L"&Edit", {Item(L"&Paste", 770)})},
                                   {kEditWithPaste},
                                   770,
                                   false},
                      // The first of the file's menus that holds one.
                      FallbackCase{
                          "BarUnreadable", std::nullopt, {kFileOnly, kEditWithPaste}, 275, true},
                      FallbackCase{"BarEmpty", Menu{}, {kEditWithPaste}, 275, true},
                      FallbackCase{"NoneAnywhere", std::nullopt, {kFileOnly}, std::nullopt, false}),
    [](const ::testing::TestParamInfo<FallbackCase>& info) { return info.param.name; });

}  // namespace
}  // namespace sendlark::setup
