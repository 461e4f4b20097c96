// Every text SendlarkSetup.exe shows, each in both its languages, so that neither can be
// forgotten. "%1", "%2", ... stand for the values that Fill puts in.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/setup_window_events.h"

namespace sendlark::setup {

inline constexpr SetupWindowTexts kWindowTexts = {
    .title = {L"Sendlark Setup", L"Sendlark 設定"},
    .columns = {{{L"Title", L"タイトル"},
                 {L"Class", L"クラス"},
                 {L"Program file", L"プログラム"},
                 {L"Paste command", L"貼り付けコマンド"},
                 {L"Window", L"ウィンドウ"}}},
    .pasteLabel = {L"&Paste command:", L"貼り付けコマンド(&P):"},
    .refresh = {L"&Refresh (F5)", L"最新の情報に更新(&R) (F5)"},
    .send = {L"Send &test text", L"テスト送信(&T)"},
    .save = {L"&Save to Config.ini", L"Config.ini に保存(&S)"},
};

// The list: the status line once the windows are listed (%1 how many), the paste column, and the
// status line once one is chosen (%1 its title, %2 the paste command's id).
inline constexpr Text kStatusListed = {
    L"Windows of other programs: %1. Choose the target, then save it to Config.ini.",
    L"ほかのプログラムのウィンドウ: %1 個。送り先を選んで Config.ini に保存してください。"};
// After the id in the paste column.
inline constexpr Text kPasteByShortcut = {L"(Ctrl+V)", L"(Ctrl+V)"};
inline constexpr Text kPasteFromFile = {L"(from the program file)", L"(プログラムファイルから)"};
inline constexpr Text kPasteNone = {L"no standard paste command: Sendlark cannot feed it",
                                    L"標準の貼り付けコマンドなし: Sendlark から送れません"};
inline constexpr Text kStatusPaste = {L"\"%1\": paste command %2, found in its menus.",
                                      L"「%1」: 貼り付けコマンド %2 (メニューから)。"};
inline constexpr Text kStatusPasteByShortcut = {
    L"\"%1\": paste command %2, found by its shortcut Ctrl+V.",
    L"「%1」: 貼り付けコマンド %2 (ショートカット Ctrl+V から)。"};
inline constexpr Text kStatusPasteFromFile = {
    L"\"%1\": paste command %2, found in the menus of its program file (its own menus "
    L"cannot be read).",
    L"「%1」: 貼り付けコマンド %2 (メニューを読めないため、プログラムファイルのメニューから)。"};
inline constexpr Text kStatusNoPaste = {
    L"\"%1\" has no standard paste command: Sendlark cannot feed this window. Type its "
    L"paste command's number if you know it.",
    L"「%1」には標準の貼り付けコマンドがないため、Sendlark から送れません。"
    L"貼り付けコマンドの番号がわかる場合は入力してください。"};

// The buttons.
inline constexpr Text kNoSelection = {L"Choose a window in the list first.",
                                      L"先に一覧からウィンドウを選んでください。"};
inline constexpr Text kPasteMissing = {L"Type the number of the window's paste command first.",
                                       L"先に貼り付けコマンドの番号を入力してください。"};
inline constexpr Text kPasteInvalid = {
    L"The paste command must be a whole number from 0 to 2147483647.",
    L"貼り付けコマンドは 0 から 2147483647 までの整数で指定してください。"};
// %1 the title, %2 Config.ini's path.
inline constexpr Text kSaved = {L"Saved \"%1\" to %2.", L"「%1」を %2 に保存しました。"};
inline constexpr Text kSavedNoProgram = {
    L"Saved \"%1\" to %2. Its program file is not known, so :AppliactionPath was left as "
    L"it was.",
    L"「%1」を %2 に保存しました。プログラムファイルがわからないため、"
    L":AppliactionPath は変更していません。"};
// %1 the title.
inline constexpr Text kSent = {L"Sent the test text to \"%1\".", L"「%1」にテスト送信しました。"};
inline constexpr Text kNotSent = {L"The test text did not reach \"%1\".",
                                  L"「%1」にテスト送信できませんでした。"};

// Why Config.ini was not saved: %1 the key, %2 the value meant for it (for a setting that saving
// would change, its value now), %3 the system's reason.
inline constexpr Text kUnusableKey = {L"Not saved: %1 cannot be used as a key of Config.ini.",
                                      L"保存できません: %1 は Config.ini のキーに使えません。"};
inline constexpr Text kLoneCr = {
    L"Not saved: the value \"%2\" for %1 holds a line break that Config.ini cannot hold (a CR "
    L"without LF).",
    L"保存できません: %1 の値「%2」には Config.ini に書けない改行 (LF のない CR) があります。"};
inline constexpr Text kBareSemicolon = {
    L"Not saved: the value \"%2\" for %1 holds a \";\" that is not followed by a blank, "
    L"which would end the entry there.",
    L"保存できません: %1 の値「%2」には後ろに空白のない「;」があり、そこで値が終わってしまい"
    L"ます。"};
inline constexpr Text kBackslashEscape = {
    L"Not saved: the value \"%2\" for %1 holds a backslash before \"n\", \":\" or \";\", "
    L"which Sendlark would read as a line break or a semicolon.",
    L"保存できません: %1 の値「%2」には「n」「:」「;」の前に「\\」があり、Sendlark は改行か"
    L"セミコロンとして読みます。"};
inline constexpr Text kTrailingBackslash = {
    L"Not saved: the value \"%2\" for %1 ends in a backslash, which would hide the \";\" "
    L"that ends the entry.",
    L"保存できません: %1 の値「%2」は「\\」で終わるため、値の終わりの「;」が読まれません。"};
inline constexpr Text kEntriesOverlap = {
    L"Not saved: the entry for %1 in Config.ini runs into another entry, so a \";\" is "
    L"missing there. Add it, then save \"%2\" again.",
    L"保存できません: Config.ini の %1 の項目がほかの項目に続いています。「;」が抜けている"
    L"ので、書き足してから「%2」を保存し直してください。"};
inline constexpr Text kNotReadBack = {
    L"Not saved: Sendlark would not read \"%2\" back for %1, because another value in "
    L"Config.ini holds that key.",
    L"保存できません: Config.ini のほかの値にそのキーが含まれるため、Sendlark は %1 を"
    L"「%2」と読みません。"};
inline constexpr Text kOtherSettingChanged = {
    L"Not saved: it would change what Sendlark reads for %1 (now \"%2\"), because an entry "
    L"in Config.ini is missing its \";\".",
    L"保存できません: Config.ini の項目の「;」が抜けているため、保存すると %1 (今は「%2」) "
    L"の読まれ方が変わります。"};
inline constexpr Text kReadFailed = {L"Config.ini could not be read: %3",
                                     L"Config.ini を読めませんでした: %3"};
inline constexpr Text kWriteFailed = {L"Config.ini could not be written: %3",
                                      L"Config.ini に書き込めませんでした: %3"};

// The command line: %1 the argument not understood, the handle as given, the window's title, or
// the list's file with %2 the system's reason.
inline constexpr Text kUsage = {
    L"SendlarkSetup does not understand \"%1\".\r\n"
    L"Usage:\r\n"
    L"  SendlarkSetup.exe                         opens the window\r\n"
    L"  SendlarkSetup.exe /list FILE              writes the windows to FILE\r\n"
    L"  SendlarkSetup.exe /save HWND [/paste ID]  saves a window to Config.ini",
    L"SendlarkSetup は「%1」を理解できません。\r\n"
    L"使い方:\r\n"
    L"  SendlarkSetup.exe                         ウィンドウを開く\r\n"
    L"  SendlarkSetup.exe /list FILE              ウィンドウの一覧を FILE に書く\r\n"
    L"  SendlarkSetup.exe /save HWND [/paste ID]  ウィンドウを Config.ini に保存する"};
inline constexpr Text kNoSuchWindow = {L"There is no window %1.", L"ウィンドウ %1 はありません。"};
inline constexpr Text kScriptNoPaste = {
    L"\"%1\" has no standard paste command: Sendlark cannot feed this window. Give its "
    L"paste command with /paste ID.",
    L"「%1」には標準の貼り付けコマンドがないため、Sendlark から送れません。"
    L"/paste ID で貼り付けコマンドを指定してください。"};
inline constexpr Text kListFailed = {L"The list could not be written to %1: %2",
                                     L"一覧を %1 に書き込めませんでした: %2"};

// `pattern` with each "%1" to "%9" replaced by that argument; an argument's own text is never
// searched for marks.
std::wstring Fill(std::wstring_view pattern, std::initializer_list<std::wstring_view> arguments);

}  // namespace sendlark::setup
