// The items the program is started with.
#pragma once

#include <string>
#include <vector>

namespace sendlark {

// The items of the program's command line, cut only at CR LF, up to the first empty one.
// False, with `items` untouched, when the program was started without arguments.
bool GetCommandArgs(std::vector<std::wstring>& items);

}  // namespace sendlark
