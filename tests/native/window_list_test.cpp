#include "setup/window_list.h"

#include <gtest/gtest.h>

namespace sendlark::setup {
namespace {

const std::string kHeader = "title\tclass\tprogram\tpaste\thwnd\r\n";

struct ListCase {
  const char* name;
  std::vector<TargetRow> rows;
  std::string expected;  // after the header
};

class WindowListTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(WindowListTest, IsOneLineOfFiveFieldsPerWindow) {
  EXPECT_EQ(FormatWindowList(GetParam().rows), kHeader + GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WindowListTest,
    ::testing::Values(
        ListCase{"NoWindows", {}, ""},
        ListCase{"PasteFoundInTheProgramFile",
                 {{0x2007C, L"Untitled - Notepad", L"Notepad", L"C:\\windows\\notepad.exe",
                   PasteCommand{275, false}, true}},
                 "Untitled - Notepad\tNotepad\tC:\\windows\\notepad.exe\t275\t0x2007C\r\n"},
        // Only the number: how it was found is for people.
        ListCase{"PasteFoundByItsShortcut",
                 {{0xA, L"T", L"C", L"", PasteCommand{4294967295u, true}, false}},
                 "T\tC\t\t4294967295\t0xA\r\n"},
        ListCase{"FieldsHoldingSeparatorsAndNoPaste",
                 {{0xFFFFFFFFFFFFull, L"(無題)\t- メモ帳\r\n", L"A\rB", L"C:\\a\nb.exe",
                   std::nullopt, false},
                  {1, L"", L"", L"", PasteCommand{0, false}, false}},
                 "(無題) - メモ帳  \tA B\tC:\\a b.exe\t\t0xFFFFFFFFFFFF\r\n"
                 "\t\t\t0\t0x1\r\n"}),
    [](const ::testing::TestParamInfo<ListCase>& info) { return info.param.name; });

}  // namespace
}  // namespace sendlark::setup
