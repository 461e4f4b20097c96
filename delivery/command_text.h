// The two forms of a delivered item: the text put on the clipboard and the one-line entry kept
// in the history.
#pragma once

#include <string>

namespace sendlark {

// header + text + footer, then every "\n" (backslash, small n) turned into CR LF. The
// replacement runs over the joined text, so an escape may straddle a joint.
std::wstring CommandText(const std::wstring& header, const std::wstring& text,
                         const std::wstring& footer);

// The command text with every CR LF written as "\n"; a lone CR or LF stays.
std::wstring HistoryEntry(const std::wstring& commandText);

}  // namespace sendlark
