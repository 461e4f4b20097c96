#include "setup/setup_actions.h"

#include <gtest/gtest.h>

#include "tests/fake/fake_platform.h"

namespace sendlark::setup {
namespace {

class SetupActionsTest : public testing::FakePlatformTest {
 protected:
  SetupActions actions{TextsFor(Language::kEnglish)};
  const TargetRow row{
      0x10, L"Target Window", L"TargetClass", L"C:\\target.exe", PasteCommand{770, false}, false};
};

// What works here must work for Sendlark: the same delivery, with the number in the box.
TEST_F(SetupActionsTest, TestTextTakesSendlarksRoadWithThePasteCommandTyped) {
  sys.AddWindow(L"TargetClass", L"Target Window");
  const std::wstring status = actions.SendTestText(&row, L"771");
  ASSERT_EQ(sys.sent.size(), 1u);
  EXPECT_EQ(sys.sent[0].id, 771);
  EXPECT_EQ(sys.sent[0].clipboard, kTestText);
  EXPECT_TRUE(sys.messages.empty());
  EXPECT_NE(status.find(L"Target Window"), std::wstring::npos);
}

TEST_F(SetupActionsTest, SaveWritesThePasteCommandTyped) {
  actions.Save(&row, L"0771");
  EXPECT_EQ(sys.ReadFile(L"Config.ini"),
            ":AppliactionName=Target Window;\r\n:AppliactionClass=TargetClass;\r\n"
            ":AppliactionPast=771;\r\n:AppliactionPath=C:\\target.exe;\r\n");
  EXPECT_TRUE(sys.messages.empty());
}

struct ChoiceCase {
  const char* name;
  bool chosen;
  std::wstring paste;
};

class UnusableChoiceTest : public SetupActionsTest,
                           public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(UnusableChoiceTest, NeitherSavesNorSendsAndSaysWhy) {
  const TargetRow* chosen = GetParam().chosen ? &row : nullptr;
  actions.Save(chosen, GetParam().paste);
  actions.SendTestText(chosen, GetParam().paste);
  EXPECT_EQ(sys.messages.size(), 2u);
  EXPECT_TRUE(sys.clipboardWrites.empty());
  EXPECT_FALSE(sys.FileExists(L"Config.ini"));
}

INSTANTIATE_TEST_SUITE_P(Choices, UnusableChoiceTest,
                         ::testing::Values(ChoiceCase{"NoWindowChosen", false, L"770"},
                                           ChoiceCase{"NoPasteCommand", true, L""},
                                           ChoiceCase{"PasteOutOfRange", true, L"2147483648"},
                                           ChoiceCase{"PasteNotANumber", true, L"7a"}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace sendlark::setup
