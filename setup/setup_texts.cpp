#include "setup/setup_texts.h"

#include <vector>

namespace sendlark::setup {

namespace {

constexpr SetupTexts kEnglish = {
    .title = L"Sendlark Setup",
    .columnTitle = L"Title",
    .columnClass = L"Class",
    .columnProgram = L"Program file",
    .columnPaste = L"Paste command",
    .columnWindow = L"Window",
    .pasteLabel = L"&Paste command:",
    .refresh = L"&Refresh (F5)",
    .send = L"Send &test text",
    .save = L"&Save to Config.ini",

    .pasteByShortcut = L"(Ctrl+V)",
    .pasteFromFile = L"(from the program file)",
    .pasteNone = L"no standard paste command: Sendlark cannot feed it",
    .statusListed =
        L"Windows of other programs: %1. Choose the target, then save it to Config.ini.",
    .statusPaste = L"\"%1\": paste command %2, found in its menus.",
    .statusPasteByShortcut = L"\"%1\": paste command %2, found by its shortcut Ctrl+V.",
    .statusPasteFromFile =
        L"\"%1\": paste command %2, found in the menus of its program file (its own menus "
        L"cannot be read).",
    .statusNoPaste =
        L"\"%1\" has no standard paste command: Sendlark cannot feed this window. Type its "
        L"paste command's number if you know it.",

    .noSelection = L"Choose a window in the list first.",
    .pasteMissing = L"Type the number of the window's paste command first.",
    .pasteInvalid = L"The paste command must be a whole number from 0 to 2147483647.",
    .saved = L"Saved \"%1\" to %2.",
    .savedNoProgram =
        L"Saved \"%1\" to %2. Its program file is not known, so :AppliactionPath was left as "
        L"it was.",
    .sent = L"Sent the test text to \"%1\".",
    .notSent = L"The test text did not reach \"%1\".",
    .taken = L"\"%1\" took the test text.",
    .notTaken = L"\"%1\" did not take it: paste command %2 does nothing in this window.",

    .unusableKey = L"Not saved: %1 cannot be used as a key of Config.ini.",
    .loneCr =
        L"Not saved: the value \"%2\" for %1 holds a line break that Config.ini cannot hold (a CR "
        L"without LF).",
    .bareSemicolon =
        L"Not saved: the value \"%2\" for %1 holds a \";\" that is not followed by a blank, "
        L"which would end the entry there.",
    .backslashEscape =
        L"Not saved: the value \"%2\" for %1 holds a backslash before \"n\", \":\" or \";\", "
        L"which Sendlark would read as a line break or a semicolon.",
    .trailingBackslash =
        L"Not saved: the value \"%2\" for %1 ends in a backslash, which would hide the \";\" "
        L"that ends the entry.",
    .entriesOverlap =
        L"Not saved: the entry for %1 in Config.ini runs into another entry, so a \";\" is "
        L"missing there. Add it, then save \"%2\" again.",
    .notReadBack =
        L"Not saved: Sendlark would not read \"%2\" back for %1, because another value in "
        L"Config.ini holds that key.",
    .otherSettingChanged =
        L"Not saved: it would change what Sendlark reads for %1 (now \"%2\"), because an entry "
        L"in Config.ini is missing its \";\".",
    .readFailed = L"Config.ini could not be read: %3",
    .writeFailed = L"Config.ini could not be written: %3",
    .checkFailed = L"Config.ini was written but could not be read back: %3",
    .readBackWrong =
        L"Config.ini was written, but Sendlark reads \"%3\" for %1 instead of \"%2\". Another "
        L"program may have changed the file.",

    .usage =
        L"SendlarkSetup does not understand \"%1\".\r\n"
        L"Usage:\r\n"
        L"  SendlarkSetup.exe                         opens the window\r\n"
        L"  SendlarkSetup.exe /list FILE              writes the windows to FILE\r\n"
        L"  SendlarkSetup.exe /save HWND [/paste ID]  saves a window to Config.ini",
    .noSuchWindow = L"There is no window %1.",
    .scriptNoPaste =
        L"\"%1\" has no standard paste command: Sendlark cannot feed this window. Give its "
        L"paste command with /paste ID.",
    .listFailed = L"The list could not be written to %1: %2",
};

constexpr SetupTexts kJapanese = {
    .title = L"Sendlark 設定",
    .columnTitle = L"タイトル",
    .columnClass = L"クラス",
    .columnProgram = L"プログラム",
    .columnPaste = L"貼り付けコマンド",
    .columnWindow = L"ウィンドウ",
    .pasteLabel = L"貼り付けコマンド(&P):",
    .refresh = L"最新の情報に更新(&R) (F5)",
    .send = L"テスト送信(&T)",
    .save = L"Config.ini に保存(&S)",

    .pasteByShortcut = L"(Ctrl+V)",
    .pasteFromFile = L"(プログラムファイルから)",
    .pasteNone = L"標準の貼り付けコマンドなし: Sendlark から送れません",
    .statusListed =
        L"ほかのプログラムのウィンドウ: %1 個。送り先を選んで Config.ini に保存してください。",
    .statusPaste = L"「%1」: 貼り付けコマンド %2 (メニューから)。",
    .statusPasteByShortcut = L"「%1」: 貼り付けコマンド %2 (ショートカット Ctrl+V から)。",
    .statusPasteFromFile =
        L"「%1」: 貼り付けコマンド %2 (メニューを読めないため、プログラムファイルのメニューから)。",
    .statusNoPaste =
        L"「%1」には標準の貼り付けコマンドがないため、Sendlark から送れません。"
        L"貼り付けコマンドの番号がわかる場合は入力してください。",

    .noSelection = L"先に一覧からウィンドウを選んでください。",
    .pasteMissing = L"先に貼り付けコマンドの番号を入力してください。",
    .pasteInvalid = L"貼り付けコマンドは 0 から 2147483647 までの整数で指定してください。",
    .saved = L"「%1」を %2 に保存しました。",
    .savedNoProgram =
        L"「%1」を %2 に保存しました。プログラムファイルがわからないため、"
        L":AppliactionPath は変更していません。",
    .sent = L"「%1」にテスト送信しました。",
    .notSent = L"「%1」にテスト送信できませんでした。",
    .taken = L"「%1」がテスト テキストを受け取りました。",
    .notTaken =
        L"「%1」は受け取りませんでした: 貼り付けコマンド %2 はこのウィンドウでは何もしません。",

    .unusableKey = L"保存できません: %1 は Config.ini のキーに使えません。",
    .loneCr =
        L"保存できません: %1 の値「%2」には Config.ini に書けない改行 (LF のない CR) があります。",
    .bareSemicolon =
        L"保存できません: %1 の値「%2」には後ろに空白のない「;」があり、そこで値が終わってしまい"
        L"ます。",
    .backslashEscape =
        L"保存できません: %1 の値「%2」には「n」「:」「;」の前に「\\」があり、Sendlark は改行か"
        L"セミコロンとして読みます。",
    .trailingBackslash =
        L"保存できません: %1 の値「%2」は「\\」で終わるため、値の終わりの「;」が読まれません。",
    .entriesOverlap =
        L"保存できません: Config.ini の %1 の項目がほかの項目に続いています。「;」が抜けている"
        L"ので、書き足してから「%2」を保存し直してください。",
    .notReadBack =
        L"保存できません: Config.ini のほかの値にそのキーが含まれるため、Sendlark は %1 を"
        L"「%2」と読みません。",
    .otherSettingChanged =
        L"保存できません: Config.ini の項目の「;」が抜けているため、保存すると %1 (今は「%2」) "
        L"の読まれ方が変わります。",
    .readFailed = L"Config.ini を読めませんでした: %3",
    .writeFailed = L"Config.ini に書き込めませんでした: %3",
    .checkFailed = L"Config.ini に書き込みましたが、読み直せませんでした: %3",
    .readBackWrong =
        L"Config.ini に書き込みましたが、Sendlark は %1 を「%2」ではなく「%3」と読みます。"
        L"ほかのプログラムがファイルを変更した可能性があります。",

    .usage =
        L"SendlarkSetup は「%1」を理解できません。\r\n"
        L"使い方:\r\n"
        L"  SendlarkSetup.exe                         ウィンドウを開く\r\n"
        L"  SendlarkSetup.exe /list FILE              ウィンドウの一覧を FILE に書く\r\n"
        L"  SendlarkSetup.exe /save HWND [/paste ID]  ウィンドウを Config.ini に保存する",
    .noSuchWindow = L"ウィンドウ %1 はありません。",
    .scriptNoPaste =
        L"「%1」には標準の貼り付けコマンドがないため、Sendlark から送れません。"
        L"/paste ID で貼り付けコマンドを指定してください。",
    .listFailed = L"一覧を %1 に書き込めませんでした: %2",
};

}  // namespace

const SetupTexts& TextsFor(Language language) {
  return language == Language::kJapanese ? kJapanese : kEnglish;
}

std::wstring Fill(std::wstring_view pattern, std::initializer_list<std::wstring_view> arguments) {
  const std::vector<std::wstring_view> values(arguments);
  std::wstring text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const wchar_t next = i + 1 < pattern.size() ? pattern[i + 1] : L'\0';
    const std::size_t index = static_cast<std::size_t>(next - L'1');
    if (pattern[i] == L'%' && next >= L'1' && next <= L'9' && index < values.size()) {
      text += values[index];
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace sendlark::setup
