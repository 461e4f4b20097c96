// The program's fixed texts that the window and its menus show.
#pragma once

namespace sendlark {

inline constexpr wchar_t kProgramTitle[] = L"Sendlark";

inline constexpr wchar_t kMenuRefreshCaption[] = L"メニューを最新に更新(&R)";
inline constexpr wchar_t kMenuReplayCaption[] = L"再度コマンドを送信(&U)";
inline constexpr wchar_t kMenuHistoryCaption[] = L"最近使ったコマンド一覧(&L)";
inline constexpr wchar_t kMenuHistoryHeading[] = L"履歴一覧";
inline constexpr wchar_t kMenuEndCaption[] = L"終了(&E)";

inline constexpr wchar_t kToolTipLaunch[] = L"外部アプリケーションを起動";
inline constexpr wchar_t kToolTipReplay[] = L"再度コマンドを送信";
inline constexpr wchar_t kToolTipMenu[] = L"メニュー";

// The hot key of Config.ini cannot be had: this text with the combination as written, then the
// reason, the system's or, for a value that names no combination, its HotKeyFault's.
inline constexpr wchar_t kHotKeyFailedText[] = L"ホットキーを登録できませんでした: ";
inline constexpr const wchar_t* kHotKeyFaultTexts[] = {
    L"Ctrl、Alt、Shift、Win のどれかを + でつないでください。",
    L"+ の前に書けるのは Ctrl、Alt、Shift、Win だけです。",
    (L"最後のキーは英字、数字、F1～F24、Space、Insert、Delete、Home、End、PageUp、PageDown、"
     L"Pause のどれかにしてください。"),
    (L"コピー、切り取り、貼り付けのキーはホットキーにできません。Sendlark が押す貼り付けのキーで"
     L"メニューが開き、ほかのプログラムでも使えなくなります。"),
};

}  // namespace sendlark
