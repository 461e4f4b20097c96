// One item's text on the clipboard that every program of the session shares: offered, read by
// the target (or first by another program, and then offered anew), and then left there, taken
// back, or replaced by the user's clipboard once the run is over.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace sendlark {

// What the wait for the target's read came to.
enum class ItemRead {
  ByTarget,  // the target's own read was seen
  Unseen,    // another program read it first, and the target's own read could not be seen since
  NotRead,   // nobody read it in time: it has been taken back
};

// What the wait has seen so far.
struct ReadFacts {
  std::optional<TextRequest> request;  // the read just seen; none: the wait's bound has passed
  std::uint32_t targetProcess = 0;
  int reoffered = 0;         // how often the text was offered anew
  bool readByOther = false;  // another program read it before
};

enum class ReadStep {
  Wait,       // go on waiting for the target's read
  OfferAnew,  // another program read it: offer it once more, so that the target's read shows
  ByTarget,
  Unseen,
  Withdraw,  // nobody read it: take it back
};

// The next step of the wait, from what it has seen. Only the target's read ends it early: a read
// that names no window counts as the target's, since some real targets read that way.
ReadStep NextReadStep(const ReadFacts& facts);

// The text is the transaction's from its offer until the target's read is seen or the wait's
// bound has passed: nothing of this program's replaces it before (the next item, a withdrawal,
// the user's clipboard), and other copies wait for the turn that it is offered in.
class ClipboardTransaction {
 public:
  // Puts the text on the clipboard, announced but not yet handed over, in place of whatever
  // was there: another item, or the user's clipboard.
  ErrorText Offer(const std::wstring& text);
  // Waits up to `boundMs` for the target's own read, serving every other program's read
  // meanwhile. A text nobody read is taken back before this returns, so that no message box's
  // loop hands it over later.
  ItemRead AwaitTargetRead(const TargetWindow& target, std::uint32_t boundMs);
  // When a program last read the text, on the platform's clock; nothing while none has.
  std::optional<std::uint64_t> LastReadMs() const { return lastReadMs_; }

 private:
  std::optional<std::uint64_t> lastReadMs_;
};

}  // namespace sendlark
