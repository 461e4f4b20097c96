// Turns between the deliveries of all copies of the program in the user's session.
#pragma once

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace sendlark::win32 {

// The clipboard is one for the whole session and the history file one per folder, so two
// copies delivering at the same moment would paste each other's text and lose each other's
// history entries. A turn is a mutex of the session, held from the first step of a delivery
// to its last.
class DeliveryTurn {
 public:
  // Waits for the turn, for ten seconds at most: a copy stuck in its turn does not stop the
  // others for good. Messages sent to this thread meanwhile are handled, since the holder may
  // be waiting on them (emptying the clipboard tells its previous owner).
  void Begin();
  void End();
  bool Held() const { return held_; }

 private:
  UniqueKernelHandle mutex_;
  bool held_ = false;
};

}  // namespace sendlark::win32
