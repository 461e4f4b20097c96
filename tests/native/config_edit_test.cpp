#include "setup/config_edit.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "config/file_io.h"
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
  int refusal = 0;
  std::wstring key = L"";  // the key it is about
};

class SaveTest : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveTest, WritesOnlyTheEntriesOrRefuses) {
  const SaveCase& c = GetParam();
  const SavedConfig saved = SaveConfigValues(c.text, c.edits, testing::UpperCase);
  EXPECT_EQ(Utf8(saved.text), Utf8(c.expected));
  EXPECT_EQ(saved.refusal ? saved.refusal->reason : 0, c.refusal);
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
                 IDS_UNUSABLE_KEY,
                 L":APPLIACTIONPAST"},
        // Read back right, but from the wrong entry.
        SaveCase{"ValueHoldsALaterKey",
                 kTwo,
                 {{kName, L":AppliactionClass=z"}, {kClass, L"z"}},
                 L"",
                 IDS_NOT_READ_BACK,
                 kClass},
        SaveCase{"ValueRunsIntoTheNextEntry",
                 L":AppliactionName=x\r\n:AppliactionClass=y;",
                 {{kName, L"N"}, {kClass, L"C"}},
                 L"",
                 IDS_ENTRIES_OVERLAP,
                 kClass},
        SaveCase{"AddedAfterAnUnfinishedEntry",
                 L":CommandFooter=end\r\n",
                 {{kPast, L"770"}},
                 L"",
                 IDS_OTHER_SETTING_CHANGED,
                 L":CommandFooter"},
        SaveCase{"ValueHoldsAnotherSettingsKey",
                 kTwo,
                 {{kName, L":LogFileName=x"}},
                 L"",
                 IDS_OTHER_SETTING_CHANGED,
                 L":LogFileName"}),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return info.param.name; });

struct ValueCase {
  std::wstring value;
  int reason;
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
                         ::testing::Values(ValueCase{L"a;b", IDS_BARE_SEMICOLON},
                                           ValueCase{L"a;", IDS_BARE_SEMICOLON},
                                           ValueCase{L"C:\\new\\x.exe", IDS_BACKSLASH_ESCAPE},
                                           ValueCase{L"a\\:b", IDS_BACKSLASH_ESCAPE},
                                           ValueCase{L"a\\; b", IDS_BACKSLASH_ESCAPE},
                                           ValueCase{L"C:\\", IDS_TRAILING_BACKSLASH},
                                           ValueCase{L"a\rb", IDS_LONE_CR},
                                           ValueCase{L"a\r", IDS_LONE_CR}));

const std::string kBom = "\xEF\xBB\xBF";
// A target as SendlarkSetup lists it, saved with paste command 275.
ListedWindow Target(std::wstring title, std::wstring className, std::wstring program = L"") {
  ListedWindow window;
  window.title = std::move(title);
  window.className = std::move(className);
  window.program = std::move(program);
  return window;
}

std::optional<SaveFailure> Save(const ListedWindow& target) {
  return SaveSettings({&target, L"275", target.title});
}

const ListedWindow kNotepad =
    Target(L"Untitled - Notepad", L"Notepad", L"C:\\Windows\\notepad.exe");
// As saved: Sendlark would read the "\n" of "\notepad.exe" as a line break.
const std::wstring kNotepadEntries =
    L":AppliactionName=Untitled - Notepad;\r\n:AppliactionClass=Notepad;\r\n"
    L":AppliactionPast=275;\r\n:AppliactionPath=C:\\Windows\\Notepad.exe;\r\n";
const std::wstring kJapaneseTitle = L"(無題) - メモ帳";

struct FileCase {
  const char* name;
  std::string codePage;
  std::optional<std::string> before;  // Config.ini's bytes; nothing: there is no Config.ini
  ListedWindow target;
  std::string after;
};

class SaveSettingsTest : public testing::FakePlatformTest,
                         public ::testing::WithParamInterface<FileCase> {};

TEST_P(SaveSettingsTest, WritesTheFileInItsEncodingAndReadsItBack) {
  const FileCase& c = GetParam();
  sys.codePage = c.codePage;
  if (c.before) sys.WriteFile(L"Config.ini", *c.before);
  const std::optional<SaveFailure> failure = Save(c.target);
  EXPECT_FALSE(failure) << Utf8(failure->key + L" " + failure->detail);
  EXPECT_EQ(sys.ReadFile(L"Config.ini"), c.after);
}

const std::wstring kOldSettings =
    L"; 送り先\r\n:AppliactionName=Old;\r\n:AppliactionClass=Old;\r\n:AppliactionPast=1;\r\n"
    L":AppliactionPath=C:\\Tools\\old.exe;\r\n:LogFileName=log.txt;\r\n";
const std::wstring kNewSettings =
    L"; 送り先\r\n:AppliactionName=(無題) - メモ帳;\r\n:AppliactionClass=Notepad;\r\n"
    L":AppliactionPast=275;\r\n:AppliactionPath=C:\\Windows\\Notepad.exe;\r\n"
    L":LogFileName=log.txt;\r\n";
const ListedWindow kJapaneseNotepad =
    Target(kJapaneseTitle, L"Notepad", L"C:\\Windows\\notepad.exe");

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
        FileCase{"UnknownProgramLeavesThePath", "CP1252",
                 Encode(L":AppliactionPath=C:\\Tools\\old.exe;"),
                 Target(L"Untitled - Notepad", L"Notepad"),
                 Encode(L":AppliactionPath=C:\\Tools\\old.exe;\r\n"
                        L":AppliactionName=Untitled - Notepad;\r\n"
                        L":AppliactionClass=Notepad;\r\n:AppliactionPast=275;\r\n")}),
    [](const ::testing::TestParamInfo<FileCase>& info) { return info.param.name; });

struct FailureCase {
  const char* name;
  std::optional<std::wstring> before;
  ListedWindow target;
  int reason;
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
        FailureCase{"TitleHoldingBackslashN", std::nullopt,
                    Target(L"C:\\new - Editor", L"Edit", L"C:\\editor.exe"), IDS_BACKSLASH_ESCAPE,
                    L":AppliactionName"},
        FailureCase{"ClassHoldingASemicolon", std::nullopt, Target(L"Title", L"a;b"),
                    IDS_BARE_SEMICOLON, L":AppliactionClass"},
        FailureCase{"PathEndingInABackslash", std::nullopt, Target(L"Title", L"Class", L"C:\\"),
                    IDS_TRAILING_BACKSLASH, L":AppliactionPath"},
        FailureCase{"EntryMissingItsSemicolon", L":CommandFooter=end\r\n", kNotepad,
                    IDS_OTHER_SETTING_CHANGED, L":CommandFooter"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

// Only a file that is not there is new: a Config.ini that cannot be read, a folder or a link to
// itself that the system cannot even look at, is never written over.
TEST_F(SaveFailureTest, ConfigIniThatCannotBeReadIsNeverWrittenOver) {
  const std::filesystem::path config = sys.folder / "Config.ini";
  for (const bool link : {false, true}) {
    std::filesystem::remove(config);
    link ? std::filesystem::create_symlink("Config.ini", config)
         : static_cast<void>(std::filesystem::create_directory(config));
    const std::optional<SaveFailure> failure = Save(kNotepad);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->reason, IDS_READ_FAILED);
    EXPECT_FALSE(failure->detail.empty()) << "the system's reason";
    EXPECT_EQ(std::filesystem::is_symlink(config), link);
  }
}

TEST_F(SaveFailureTest, ConfigIniAbove64MiBIsRefusedUnread) {
  sys.WriteFile(L"Config.ini", "");
  std::filesystem::resize_file(sys.folder / "Config.ini", kMaxFileBytes + 1);  // sparse
  const std::optional<SaveFailure> failure = Save(kNotepad);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->reason, IDS_TOO_LARGE);
  EXPECT_EQ(std::filesystem::file_size(sys.folder / "Config.ini"), kMaxFileBytes + 1);
}

// A power cut right after the save must not leave an empty Config.ini.
TEST_F(SaveFailureTest, ConfigIniIsOnTheDiskBeforeItReplacesTheOldOne) {
  ASSERT_FALSE(Save(kNotepad));
  EXPECT_EQ(std::count(sys.trace.begin(), sys.trace.end(), "replace flushed:Config.ini"), 1);
}

}  // namespace
}  // namespace sendlark::setup
