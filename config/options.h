// Reading the optional keys of Config.ini.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/text_util.h"
#include "state/options.h"

namespace sendlark {

// The optional keys' values in the configuration text. A missing or empty key keeps the
// behaviour of a Config.ini without it.
Options ReadOptions(const std::wstring& configText, CaseFold fold);

// The mode a value names: "exact", "begins", "contains" or "any", letter case and surrounding
// blanks ignored; empty is "exact". Nothing for any other value.
std::optional<TitleMatch> ParseTitleMatch(const std::wstring& value, CaseFold fold);
// The mode's name, as SendlarkSetup writes it.
const wchar_t* TitleMatchName(TitleMatch match);

// Whether a window titled `title` is the target under `match`, for the configured name
// `wanted`. Titles compare without regard to letter case, as the system's window search does.
bool TitleMatches(TitleMatch match, const std::wstring& wanted, const std::wstring& title,
                  CaseFold fold);
// The first of `windows` (nearest the top of the Z order first) whose title matches; none when
// none does.
TargetWindow FirstMatch(const std::vector<TargetWindow>& windows, TitleMatch match,
                        const std::wstring& wanted, CaseFold fold);

// Whether windows of this class are the strip of a copy of Sendlark, whatever its process: no
// copy's strip is ever a target. Class names compare without regard to letter case, as the
// system compares them.
bool IsStripClass(const std::wstring& className, CaseFold fold);

// The value without the blanks (the ideographic space among them) and line breaks around it.
std::wstring TrimBlanks(const std::wstring& value);

// Why a value of an optional key cannot be used; a long value is cut, as every delivery's box
// shows it.
std::wstring UnusableValueText(const std::wstring& key, const std::wstring& value);

}  // namespace sendlark
