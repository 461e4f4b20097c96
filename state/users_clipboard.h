// The user's clipboard, given back once a run of deliveries is over (":RestoreClipboard=1").
#pragma once

#include "platform/platform.h"

namespace sendlark {

// Before an item goes on the clipboard, in the delivery turn: copies what the clipboard holds,
// before the run's first item, and again when another program has put something there since
// our last one, which is then the user's newer clipboard (another copy's command text is not).
// Other items cost nothing.
void KeepUsersClipboard();

// Once a run is over, after its boxes, and as the program ends: puts the user's clipboard back
// when that is due, once the run's last read has settled, and lets the copy go either way.
void GiveClipboardBack();

}  // namespace sendlark
