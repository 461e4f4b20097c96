// Turns between the deliveries of all copies of the program, and the message boxes that give
// a turn up while they are open.
#pragma once

#include <string>

namespace sendlark {

// The clipboard is one for the whole session and the log file one per folder, so two copies
// delivering at the same moment would paste each other's text and lose each other's history
// entries. A delivery holds the turn from its first step to its last, and so does every rewrite
// of the log file. A turn taken inside another is part of it.
class DeliveryTurn {
 public:
  DeliveryTurn();
  ~DeliveryTurn();
  DeliveryTurn(const DeliveryTurn&) = delete;
  DeliveryTurn& operator=(const DeliveryTurn&) = delete;
};

// True while this copy holds the turn: in a DeliveryTurn, unless it gave up waiting for it.
bool HoldsDeliveryTurn();

// A modal message box with the critical icon, one OK button and the program's title. Other
// copies deliver while the user reads it: a turn this copy holds is given up while the box is
// open and taken again once it is closed.
void ShowMessage(const std::wstring& text);

}  // namespace sendlark
