// Cutting a text into fields at a delimiter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/text_util.h"

namespace sendlark {

// Field n, counted from 1, of `text` cut at every exact occurrence of `delimiter`, with every
// CR LF removed from it; empty when the field is empty or does not exist. A text that holds
// the delimiter nowhere, even ignoring letter case (folded by `fold`), is a single field returned
// unchanged.
std::wstring GetField(const std::wstring& text, int n, const std::wstring& delimiter,
                      CaseFold fold);

// Fields 1, 2, ... of `text` as GetField gives them, up to but not including the first empty
// one, and at most `limit` of them. One pass over the text, however many fields it holds.
std::vector<std::wstring> LeadingFields(const std::wstring& text, const std::wstring& delimiter,
                                        std::size_t limit, CaseFold fold);

}  // namespace sendlark
