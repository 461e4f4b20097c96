// The table that "SendlarkSetup.exe /list FILE" writes, for scripts.
#pragma once

#include <string>
#include <vector>

#include "setup/target_row.h"

namespace sendlark::setup {

// UTF-8 without a mark, one line per window after a header line, each ending in CR LF, fields
// separated by tabs: title, class, program, paste (the decimal id, empty when there is none)
// and the window's handle (HandleText). A tab, CR or LF inside a field becomes a blank, so
// every line stays one row of five fields.
std::string FormatWindowList(const std::vector<TargetRow>& rows);

}  // namespace sendlark::setup
