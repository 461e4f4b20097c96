// How long each wait of a delivery may last. Every copy of the program shares the clipboard and
// takes turns for it, so a copy waiting for the turn waits as long as the holder may keep it.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace sendlark {

// How long a target that has handled its paste request may take to read the text: programs
// that paste from a later message of their own read it within moments.
inline constexpr std::uint32_t kTextRequestPatienceMs = 2000;
// How long a target that did not answer its paste request within the request's own bound may
// take to read the text: 30 s in all. The next item waits meanwhile, or the target would read it.
inline constexpr std::uint32_t kAnswerPatienceMs = 25000;
// How often an item's text is offered anew after another program read it first, so that the
// target's own read shows too. A monitor that reads every change would otherwise keep the
// delivery offering it for ever.
inline constexpr int kReoffers = 4;
// How long the user's clipboard waits after the last read of a run's text: a target may read one
// paste twice (a look, then the text), and would get the user's clipboard the second time.
inline constexpr std::uint32_t kSettleMs = 500;

// The longest a copy holds the turn for one item, its message boxes aside (it gives the turn up
// while one is open): copying the user's clipboard, offering the item, offering it anew once the
// wait's bound is near and taking it back, each after a program that holds the clipboard open;
// bringing the target forward (its focus too, for WM_PASTE) and waiting for the user to let go
// of the modifier keys; the paste request and the wait for the target's read; and the history's
// read and rewrite of a log that another program holds for a moment.
inline constexpr std::uint32_t kBringingForwardMs = 2000;
inline constexpr std::uint32_t kKeysReleasedMs = 2000;
inline constexpr std::uint32_t kBusyLogMs = 1000;
inline constexpr std::uint32_t kLongestTurnMs = 4 * kClipboardPatienceMs + kBringingForwardMs +
                                                kKeysReleasedMs + kCommandPatienceMs +
                                                kAnswerPatienceMs + 2 * kBusyLogMs;
// A copy waits for the turn as long as its holder may keep it, and a little longer: giving up
// earlier would put its item in place of one the holder's target has yet to read.
inline constexpr std::uint32_t kTurnPatienceMs = kLongestTurnMs + 5000;

}  // namespace sendlark
