#include "setup/save_settings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "state/program_state.h"
#include "tests/fake/fake_platform.h"

namespace sendlark::setup {
namespace {

using testing::Encode;
using testing::Utf8;

const std::string kBom = "\xEF\xBB\xBF";
const TargetSettings kNotepad = {L"Untitled - Notepad", L"Notepad", L"275",
                                 L"C:\\Windows\\notepad.exe"};
// As saved: Sendlark would read the "\n" of "\notepad.exe" as a line break.
const std::wstring kNotepadEntries =
    L":AppliactionName=Untitled - Notepad;\r\n:AppliactionClass=Notepad;\r\n"
    L":AppliactionPast=275;\r\n:AppliactionPath=C:\\Windows\\Notepad.exe;\r\n";
const std::wstring kJapaneseTitle = L"(無題) - メモ帳";

struct SaveCase {
  const char* name;
  std::string codePage;
  std::optional<std::string> before;  // Config.ini's bytes; nothing: there is no Config.ini
  TargetSettings target;
  std::string after;
};

class SaveSettingsTest : public testing::FakePlatformTest,
                         public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveSettingsTest, WritesTheFileInItsEncodingAndReadsItBack) {
  const SaveCase& c = GetParam();
  sys.codePage = c.codePage;
  if (c.before) sys.WriteFile(L"Config.ini", *c.before);
  const std::optional<SaveFailure> failure = SaveSettings(c.target);
  EXPECT_FALSE(failure) << Utf8(DescribeSaveFailure(*failure, TextsFor(Language::kEnglish)));
  EXPECT_EQ(sys.ReadFile(L"Config.ini"), c.after);
}

const std::wstring kOldSettings =
    L"; 送り先\r\n:AppliactionName=Old;\r\n:AppliactionClass=Old;\r\n:AppliactionPast=1;\r\n"
    L":AppliactionPath=C:\\Tools\\old.exe;\r\n:LogFileName=log.txt;\r\n";
const std::wstring kNewSettings =
    L"; 送り先\r\n:AppliactionName=(無題) - メモ帳;\r\n:AppliactionClass=Notepad;\r\n"
    L":AppliactionPast=275;\r\n:AppliactionPath=C:\\Windows\\Notepad.exe;\r\n"
    L":LogFileName=log.txt;\r\n";
const TargetSettings kJapaneseNotepad = {kJapaneseTitle, L"Notepad", L"275",
                                         L"C:\\Windows\\notepad.exe"};

INSTANTIATE_TEST_SUITE_P(
    Files, SaveSettingsTest,
    ::testing::Values(
        SaveCase{"NewFileInTheCodePage", "CP1252", std::nullopt, kNotepad, Encode(kNotepadEntries)},
        SaveCase{"NewFileAsUtf8WhenATitleDoesNotFitTheCodePage", "CP1252", std::nullopt,
                 kJapaneseNotepad,
                 kBom + Utf8(L":AppliactionName=(無題) - メモ帳;\r\n:AppliactionClass=Notepad;\r\n"
                             L":AppliactionPast=275;\r\n"
                             L":AppliactionPath=C:\\Windows\\Notepad.exe;\r\n")},
        SaveCase{"ShiftJisFileStaysShiftJis", "CP932", Encode(kOldSettings, "CP932"),
                 kJapaneseNotepad, Encode(kNewSettings, "CP932")},
        SaveCase{"AnsiFileTurnsUtf8WhenATitleDoesNotFit", "CP1252",
                 Encode(L"café\r\n:AppliactionPast=1;"), kJapaneseNotepad,
                 kBom + Utf8(L"café\r\n:AppliactionPast=275;\r\n:AppliactionName=(無題) - メモ帳;"
                             L"\r\n:AppliactionClass=Notepad;\r\n"
                             L":AppliactionPath=C:\\Windows\\Notepad.exe;\r\n")},
        SaveCase{"Utf8FileWithoutMarkStaysSo", "CP932", Utf8(kOldSettings), kJapaneseNotepad,
                 Utf8(kNewSettings)},
        SaveCase{"Utf8FileWithMarkStaysSo", "CP932", kBom + Utf8(kNotepadEntries), kNotepad,
                 kBom + Utf8(kNotepadEntries)},
        // The path as it was rather than no program at all.
        SaveCase{"UnknownProgramLeavesThePath",
                 "CP1252",
                 Encode(L":AppliactionPath=C:\\Tools\\old.exe;"),
                 {L"Untitled - Notepad", L"Notepad", L"275", L""},
                 Encode(L":AppliactionPath=C:\\Tools\\old.exe;\r\n"
                        L":AppliactionName=Untitled - Notepad;\r\n"
                        L":AppliactionClass=Notepad;\r\n:AppliactionPast=275;\r\n")}),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return info.param.name; });

struct FailureCase {
  const char* name;
  std::optional<std::wstring> before;
  TargetSettings target;
  SaveStep step;
  std::wstring key;
  std::optional<SaveRefusalReason> reason;
};

class SaveFailureTest : public testing::FakePlatformTest,
                        public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SaveFailureTest, IsReportedAndLeavesTheFileAsItWas) {
  const FailureCase& c = GetParam();
  if (c.before) WriteConfig(*c.before);
  const std::string before = sys.ReadFile(L"Config.ini");
  const std::optional<SaveFailure> failure = SaveSettings(c.target);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->step, c.step);
  EXPECT_EQ(Utf8(failure->key), Utf8(c.key));
  EXPECT_EQ(failure->reason, c.reason);
  EXPECT_EQ(sys.ReadFile(L"Config.ini"), before);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SaveFailureTest,
    ::testing::Values(
        // Only a path may have its "\n" written "\N": a title must match exactly.
        FailureCase{"TitleHoldingBackslashN",
                    std::nullopt,
                    {L"C:\\new - Editor", L"Edit", L"1", L"C:\\editor.exe"},
                    SaveStep::kRefused,
                    L":AppliactionName",
                    SaveRefusalReason::kBackslashEscape},
        FailureCase{"ClassHoldingASemicolon",
                    std::nullopt,
                    {L"Title", L"a;b", L"1", L""},
                    SaveStep::kRefused,
                    L":AppliactionClass",
                    SaveRefusalReason::kBareSemicolon},
        FailureCase{"PathEndingInABackslash",
                    std::nullopt,
                    {L"Title", L"Class", L"1", L"C:\\"},
                    SaveStep::kRefused,
                    L":AppliactionPath",
                    SaveRefusalReason::kTrailingBackslash},
        FailureCase{"EntryMissingItsSemicolon", L":CommandFooter=end\r\n", kNotepad,
                    SaveStep::kRefused, L":CommandFooter",
                    SaveRefusalReason::kOtherSettingChanged}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST_F(SaveFailureTest, ConfigIniThatIsAFolderIsLeftAlone) {
  std::filesystem::create_directory(sys.folder / "Config.ini");
  const std::optional<SaveFailure> failure = SaveSettings(kNotepad);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->step, SaveStep::kRead);
  EXPECT_FALSE(failure->detail.empty()) << "the system's reason";
}

// A link to itself: the system can neither look at it nor read it. Only a file that is not
// there is new; one that cannot be looked at must never be written over.
TEST_F(SaveFailureTest, ConfigIniThatCannotBeLookedAtIsNotTakenForNew) {
  std::filesystem::create_symlink("Config.ini", sys.folder / "Config.ini");
  const std::optional<SaveFailure> failure = SaveSettings(kNotepad);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->step, SaveStep::kRead);
  EXPECT_FALSE(failure->detail.empty()) << "the system's reason";
  EXPECT_TRUE(std::filesystem::is_symlink(sys.folder / "Config.ini"));
}

// A power cut right after the save must not leave an empty Config.ini.
TEST_F(SaveFailureTest, ConfigIniIsOnTheDiskBeforeItReplacesTheOldOne) {
  ASSERT_FALSE(SaveSettings(kNotepad));
  EXPECT_EQ(std::count(sys.trace.begin(), sys.trace.end(), "replace flushed:Config.ini"), 1);
}

// Another program rewriting the file at the same moment, say: what is read back is not what
// was written.
class TruncatingPlatform : public testing::FakePlatform {
 public:
  ErrorText ReplaceFileBytes(const std::wstring& path, const std::string& bytes,
                             bool flush) override {
    return FakePlatform::ReplaceFileBytes(path, bytes.substr(0, bytes.size() - 3), flush);
  }
};

TEST(SaveReadBackTest, ValueThatDoesNotReadBackIsReported) {
  TruncatingPlatform platform;
  ResetProgram(&platform);
  const std::optional<SaveFailure> failure = SaveSettings(kNotepad);
  ResetProgram(nullptr);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->step, SaveStep::kReadBack);
  EXPECT_EQ(failure->key, L":AppliactionPath");
  EXPECT_EQ(failure->value, L"C:\\Windows\\Notepad.exe");
  EXPECT_EQ(failure->detail, L"");
}

class DescriptionTest : public ::testing::TestWithParam<Language> {};

// Whatever went wrong, the user learns which key and which value, or the system's reason.
TEST_P(DescriptionTest, NamesTheKeyAndTheValueOrTheReason) {
  const SetupTexts& texts = TextsFor(GetParam());
  for (int reason = 0; reason <= static_cast<int>(SaveRefusalReason::kOtherSettingChanged);
       ++reason) {
    const std::wstring text = DescribeSaveFailure(
        {SaveStep::kRefused, static_cast<SaveRefusalReason>(reason), L":Key", L"val;ue", {}},
        texts);
    EXPECT_NE(text.find(L":Key"), std::wstring::npos) << Utf8(text);
    if (reason != static_cast<int>(SaveRefusalReason::kUnusableKey)) {
      EXPECT_NE(text.find(L"val;ue"), std::wstring::npos) << Utf8(text);
    }
  }
  for (const SaveStep step : {SaveStep::kRead, SaveStep::kWrite, SaveStep::kCheck}) {
    const std::wstring text = DescribeSaveFailure({step, {}, {}, {}, L"Access denied"}, texts);
    EXPECT_NE(text.find(L"Access denied"), std::wstring::npos) << Utf8(text);
  }
  const std::wstring text =
      DescribeSaveFailure({SaveStep::kReadBack, {}, L":Key", L"v1", L"v2"}, texts);
  for (const wchar_t* part : {L":Key", L"v1", L"v2"}) {
    EXPECT_NE(text.find(part), std::wstring::npos) << Utf8(text);
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, DescriptionTest,
                         ::testing::Values(Language::kEnglish, Language::kJapanese));

}  // namespace
}  // namespace sendlark::setup
