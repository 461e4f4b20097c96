// Choosing the window to bring forward by its title.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sendlark {

// The first title equal to `wanted`, or else the first that begins with it. Titles are given
// top window first and already folded to one letter case if case is to be ignored. An empty
// `wanted` matches only an empty title: as a prefix it would match every window.
std::optional<std::size_t> PickTitleMatch(const std::vector<std::wstring>& titles,
                                          const std::wstring& wanted);

}  // namespace sendlark
