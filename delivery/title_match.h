// Which window is the target, by its class and by how its title compares with :AppliactionName.
#pragma once

#include <string>
#include <vector>

#include "config/text_util.h"
#include "platform/platform.h"
#include "state/options.h"

namespace sendlark {

// Whether a window titled `title` is the target under `match`, for the configured name
// `wanted`. Titles compare without regard to letter case, as the system's window search does.
bool TitleMatches(TitleMatch match, const std::wstring& wanted, const std::wstring& title,
                  CaseFold fold);

// The first of `windows` (nearest the top of the Z order first) whose title matches; none when
// none does.
TargetWindow FirstMatch(const std::vector<TargetWindow>& windows, TitleMatch match,
                        const std::wstring& wanted, CaseFold fold);

}  // namespace sendlark
