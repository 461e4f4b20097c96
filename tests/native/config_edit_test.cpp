#include "setup/config_edit.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "setup/setup_texts.h"
#include "tests/fake/fake_platform.h"

namespace sendlark::setup {
namespace {

using testing::Encode;
using testing::Utf8;

const std::wstring kPath = L":AppliactionPath";
const std::wstring kName = L":AppliactionName";
const std::wstring kClass = L":AppliactionClass";
const std::wstring kPast = L":AppliactionPast";

struct SaveCase {
  const char* name;
  std::wstring text;
  std::vector<ConfigEdit> edits;
  std::wstring expected;  // the whole new text, or else
  const Text* refusal = nullptr;
  std::wstring key = L"";  // the key it is about
};

class SaveTest : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveTest, WritesOnlyTheEntriesOrRefuses) {
  const SaveCase& c = GetParam();
  const SavedConfig saved = SaveConfigValues(c.text, c.edits, testing::UpperCase);
  EXPECT_EQ(Utf8(saved.text), Utf8(c.expected));
  EXPECT_EQ(saved.refusal ? saved.refusal->reason : nullptr, c.refusal);
  if (saved.refusal) {
    EXPECT_EQ(Utf8(saved.refusal->key), Utf8(c.key));
  }
}

const std::wstring kTwo = L":AppliactionName=x;\r\n:AppliactionClass=y;\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, SaveTest,
    ::testing::Values(
        SaveCase{"EntriesOnOneLine",
                 L":AppliactionClass=A;:AppliactionName=B; a note\r\n",
                 {{kName, L"New"}, {kClass, L""}},
                 L":AppliactionClass=;:AppliactionName=New; a note\r\n"},
        SaveCase{"EntryInsideANote",
                 L"Use :AppliactionPast=770; (Edit menu)",
                 {{kPast, L"12"}},
                 L"Use :AppliactionPast=12; (Edit menu)"},
        SaveCase{"OnlyTheFirstOfRepeatedKeys",
                 L":appliactionpast=1;\r\n:AppliactionPast=2;\r\n",
                 {{kPast, L"3"}},
                 L":appliactionpast=3;\r\n:AppliactionPast=2;\r\n"},
        // The note's ";" comes before any "=", so Sendlark reads no value at all.
        SaveCase{
            "NoteMentionsKeyFirst",
            L"[x]\r\nSet :AppliactionPast; below\r\n:AppliactionPast=7;",
            {{kPast, L"12"}},
            L"[x]\r\n:AppliactionPast=12;\r\nSet :AppliactionPast; below\r\n:AppliactionPast=7;"},
        SaveCase{"TwoKeysInOneNote",
                 L"a\rSee :AppliactionName, :AppliactionClass",
                 {{kClass, L"C"}, {kName, L"N"}},
                 L"a\r:AppliactionClass=C;\r\n:AppliactionName=N;\r\nSee :AppliactionName, "
                 L":AppliactionClass"},
        SaveCase{"CrOnlyLines",
                 L":AppliactionName=a;\r:AppliactionPast=1;\r",
                 {{kPast, L"2"}, {kClass, L"C"}},
                 L":AppliactionName=a;\r:AppliactionPast=2;\r:AppliactionClass=C;\r\n"},
        SaveCase{"NoFinalLineEnd",
                 L":AppliactionPast=1; end",
                 {{kClass, L"C"}, {kName, L"N"}},
                 L":AppliactionPast=1; end\r\n:AppliactionClass=C;\r\n:AppliactionName=N;\r\n"},
        SaveCase{"EmptyFile",
                 L"",
                 {{kPath, L"C:\\Program Files\\x.exe"}},
                 L":AppliactionPath=C:\\Program Files\\x.exe;\r\n"},
        SaveCase{"Escapes",
                 kTwo,
                 {{kName, L"a; b\r\nc;  d\\\r\n"}},
                 L":AppliactionName=a\\;b\\nc\\; d\\\\n;\r\n:AppliactionClass=y;\r\n"},
        SaveCase{"KeyTwice",
                 kTwo,
                 {{kPast, L"1"}, {L":APPLIACTIONPAST", L"2"}},
                 L"",
                 &kUnusableKey,
                 L":APPLIACTIONPAST"},
        // Read back right, but from the wrong entry.
        SaveCase{"ValueHoldsALaterKey",
                 kTwo,
                 {{kName, L":AppliactionClass=z"}, {kClass, L"z"}},
                 L"",
                 &kNotReadBack,
                 kClass},
        SaveCase{"ValueRunsIntoTheNextEntry",
                 L":AppliactionName=x\r\n:AppliactionClass=y;",
                 {{kName, L"N"}, {kClass, L"C"}},
                 L"",
                 &kEntriesOverlap,
                 kClass},
        SaveCase{"AddedAfterAnUnfinishedEntry",
                 L":CommandFooter=end\r\n",
                 {{kPast, L"770"}},
                 L"",
                 &kOtherSettingChanged,
                 L":CommandFooter"},
        SaveCase{"ValueHoldsAnotherSettingsKey",
                 kTwo,
                 {{kName, L":LogFileName=x"}},
                 L"",
                 &kOtherSettingChanged,
                 L":LogFileName"}),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return info.param.name; });

struct ValueCase {
  std::wstring value;
  const Text* reason;
};

class UnwritableValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(UnwritableValueTest, IsRefused) {
  const SavedConfig saved =
      SaveConfigValues(kTwo, {{kClass, L"C"}, {kName, GetParam().value}}, testing::UpperCase);
  ASSERT_TRUE(saved.refusal);
  EXPECT_EQ(saved.refusal->reason, GetParam().reason);
  EXPECT_EQ(saved.refusal->key, kName);
  EXPECT_EQ(saved.refusal->value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Values, UnwritableValueTest,
                         ::testing::Values(ValueCase{L"a;b", &kBareSemicolon},
                                           ValueCase{L"a;", &kBareSemicolon},
                                           ValueCase{L"C:\\new\\x.exe", &kBackslashEscape},
                                           ValueCase{L"a\\:b", &kBackslashEscape},
                                           ValueCase{L"a\\; b", &kBackslashEscape},
                                           ValueCase{L"C:\\", &kTrailingBackslash},
                                           ValueCase{L"a\rb", &kLoneCr},
                                           ValueCase{L"a\r", &kLoneCr}));

const std::string kBom = "\xEF\xBB\xBF";
// A target as SendlarkSetup lists it, and the paste command saved with it.
struct Target {
  std::wstring title;
  std::wstring className;
  std::uint32_t paste;
  std::wstring program;
};

std::optional<SaveFailure> Save(const Target& target) {
  ListedWindow window;
  window.title = target.title;
  window.className = target.className;
  window.program = target.program;
  return SaveSettings(window, target.paste);
}

const Target kNotepad = {L"Untitled - Notepad", L"Notepad", 275, L"C:\\Windows\\notepad.exe"};
// As saved: Sendlark would read the "\n" of "\notepad.exe" as a line break.
const std::wstring kNotepadEntries =
    L":AppliactionName=Untitled - Notepad;\r\n:AppliactionClass=Notepad;\r\n"
    L":AppliactionPast=275;\r\n:AppliactionPath=C:\\Windows\\Notepad.exe;\r\n";
const std::wstring kJapaneseTitle = L"(無題) - メモ帳";

struct FileCase {
  const char* name;
  std::string codePage;
  std::optional<std::string> before;  // Config.ini's bytes; nothing: there is no Config.ini
  Target target;
  std::string after;
};

class SaveSettingsTest : public testing::FakePlatformTest,
                         public ::testing::WithParamInterface<FileCase> {};

TEST_P(SaveSettingsTest, WritesTheFileInItsEncodingAndReadsItBack) {
  const FileCase& c = GetParam();
  sys.codePage = c.codePage;
  if (c.before) sys.WriteFile(L"Config.ini", *c.before);
  const std::optional<SaveFailure> failure = Save(c.target);
  EXPECT_FALSE(failure) << Utf8(failure->Describe(Language::kEnglish));
  EXPECT_EQ(sys.ReadFile(L"Config.ini"), c.after);
}

const std::wstring kOldSettings =
    L"; 送り先\r\n:AppliactionName=Old;\r\n:AppliactionClass=Old;\r\n:AppliactionPast=1;\r\n"
    L":AppliactionPath=C:\\Tools\\old.exe;\r\n:LogFileName=log.txt;\r\n";
const std::wstring kNewSettings =
    L"; 送り先\r\n:AppliactionName=(無題) - メモ帳;\r\n:AppliactionClass=Notepad;\r\n"
    L":AppliactionPast=275;\r\n:AppliactionPath=C:\\Windows\\Notepad.exe;\r\n"
    L":LogFileName=log.txt;\r\n";
const Target kJapaneseNotepad = {kJapaneseTitle, L"Notepad", 275, L"C:\\Windows\\notepad.exe"};

INSTANTIATE_TEST_SUITE_P(
    Files, SaveSettingsTest,
    ::testing::Values(
        FileCase{"NewFileInTheCodePage", "CP1252", std::nullopt, kNotepad, Encode(kNotepadEntries)},
        FileCase{"NewFileAsUtf8WhenATitleDoesNotFitTheCodePage", "CP1252", std::nullopt,
                 kJapaneseNotepad,
                 kBom + Utf8(L":AppliactionName=(無題) - メモ帳;\r\n:AppliactionClass=Notepad;\r\n"
                             L":AppliactionPast=275;\r\n"
                             L":AppliactionPath=C:\\Windows\\Notepad.exe;\r\n")},
        FileCase{"ShiftJisFileStaysShiftJis", "CP932", Encode(kOldSettings, "CP932"),
                 kJapaneseNotepad, Encode(kNewSettings, "CP932")},
        FileCase{"AnsiFileTurnsUtf8WhenATitleDoesNotFit", "CP1252",
                 Encode(L"café\r\n:AppliactionPast=1;"), kJapaneseNotepad,
                 kBom + Utf8(L"café\r\n:AppliactionPast=275;\r\n:AppliactionName=(無題) - メモ帳;"
                             L"\r\n:AppliactionClass=Notepad;\r\n"
                             L":AppliactionPath=C:\\Windows\\Notepad.exe;\r\n")},
        FileCase{"Utf8FileWithoutMarkStaysSo", "CP932", Utf8(kOldSettings), kJapaneseNotepad,
                 Utf8(kNewSettings)},
        FileCase{"Utf8FileWithMarkStaysSo", "CP932", kBom + Utf8(kNotepadEntries), kNotepad,
                 kBom + Utf8(kNotepadEntries)},
        // The path as it was rather than no program at all.
        FileCase{"UnknownProgramLeavesThePath",
                 "CP1252",
                 Encode(L":AppliactionPath=C:\\Tools\\old.exe;"),
                 {L"Untitled - Notepad", L"Notepad", 275, L""},
                 Encode(L":AppliactionPath=C:\\Tools\\old.exe;\r\n"
                        L":AppliactionName=Untitled - Notepad;\r\n"
                        L":AppliactionClass=Notepad;\r\n:AppliactionPast=275;\r\n")}),
    [](const ::testing::TestParamInfo<FileCase>& info) { return info.param.name; });

struct FailureCase {
  const char* name;
  std::optional<std::wstring> before;
  Target target;
  const Text* reason;
  std::wstring key;
};

class SaveFailureTest : public testing::FakePlatformTest,
                        public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SaveFailureTest, IsReportedAndLeavesTheFileAsItWas) {
  const FailureCase& c = GetParam();
  if (c.before) WriteConfig(*c.before);
  const std::string before = sys.ReadFile(L"Config.ini");
  const std::optional<SaveFailure> failure = Save(c.target);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->reason, c.reason);
  EXPECT_EQ(Utf8(failure->key), Utf8(c.key));
  EXPECT_EQ(sys.ReadFile(L"Config.ini"), before);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SaveFailureTest,
    ::testing::Values(
        // Only a path may have its "\n" written "\N": a title must match exactly.
        FailureCase{"TitleHoldingBackslashN",
                    std::nullopt,
                    {L"C:\\new - Editor", L"Edit", 1, L"C:\\editor.exe"},
                    &kBackslashEscape,
                    L":AppliactionName"},
        FailureCase{"ClassHoldingASemicolon",
                    std::nullopt,
                    {L"Title", L"a;b", 1, L""},
                    &kBareSemicolon,
                    L":AppliactionClass"},
        FailureCase{"PathEndingInABackslash",
                    std::nullopt,
                    {L"Title", L"Class", 1, L"C:\\"},
                    &kTrailingBackslash,
                    L":AppliactionPath"},
        FailureCase{"EntryMissingItsSemicolon", L":CommandFooter=end\r\n", kNotepad,
                    &kOtherSettingChanged, L":CommandFooter"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST_F(SaveFailureTest, ConfigIniThatIsAFolderIsLeftAlone) {
  std::filesystem::create_directory(sys.folder / "Config.ini");
  const std::optional<SaveFailure> failure = Save(kNotepad);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->reason, &kReadFailed);
  EXPECT_FALSE(failure->detail.empty()) << "the system's reason";
}

// A link to itself: the system can neither look at it nor read it. Only a file that is not
// there is new; one that cannot be looked at must never be written over.
TEST_F(SaveFailureTest, ConfigIniThatCannotBeLookedAtIsNotTakenForNew) {
  std::filesystem::create_symlink("Config.ini", sys.folder / "Config.ini");
  const std::optional<SaveFailure> failure = Save(kNotepad);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->reason, &kReadFailed);
  EXPECT_FALSE(failure->detail.empty()) << "the system's reason";
  EXPECT_TRUE(std::filesystem::is_symlink(sys.folder / "Config.ini"));
}

// A power cut right after the save must not leave an empty Config.ini.
TEST_F(SaveFailureTest, ConfigIniIsOnTheDiskBeforeItReplacesTheOldOne) {
  ASSERT_FALSE(Save(kNotepad));
  EXPECT_EQ(std::count(sys.trace.begin(), sys.trace.end(), "replace flushed:Config.ini"), 1);
}

// Whatever went wrong, the user learns which key and which value, or the system's reason, in
// either language.
TEST(SaveFailureTextTest, NamesTheKeyAndTheValueOrTheReason) {
  for (const Language language : {Language::kEnglish, Language::kJapanese}) {
    for (const Text* refusal :
         {&kUnusableKey, &kLoneCr, &kBareSemicolon, &kBackslashEscape, &kTrailingBackslash,
          &kEntriesOverlap, &kNotReadBack, &kOtherSettingChanged}) {
      const std::wstring text = SaveFailure{refusal, L":Key", L"val;ue", {}}.Describe(language);
      EXPECT_NE(text.find(L":Key"), std::wstring::npos) << Utf8(text);
      EXPECT_EQ(text.find(L"val;ue") != std::wstring::npos, refusal != &kUnusableKey);
    }
    for (const Text* failure : {&kReadFailed, &kWriteFailed}) {
      const std::wstring text = SaveFailure{failure, {}, {}, L"Access denied"}.Describe(language);
      EXPECT_NE(text.find(L"Access denied"), std::wstring::npos) << Utf8(text);
    }
  }
}

}  // namespace
}  // namespace sendlark::setup
