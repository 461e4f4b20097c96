#include "delivery/clipboard_transaction.h"

#include "state/delivery_bounds.h"
#include "state/program_state.h"

namespace sendlark {

ReadStep NextReadStep(const ReadFacts& facts) {
  if (!facts.request) return facts.readByOther ? ReadStep::Unseen : ReadStep::Withdraw;
  if (facts.request->reader == 0 || facts.request->process == facts.targetProcess) {
    return ReadStep::ByTarget;
  }
  // Once the handful is spent, the text stays where the last reader left it until the bound:
  // a monitor that reads every change must not keep the delivery offering it.
  return facts.reoffered < kReoffers ? ReadStep::OfferAnew : ReadStep::Wait;
}

ErrorText ClipboardTransaction::Offer(const std::wstring& text) {
  lastReadMs_.reset();
  return Sys().OfferClipboardText(text);
}

ItemRead ClipboardTransaction::AwaitTargetRead(const TargetWindow& target, std::uint32_t boundMs) {
  const std::uint64_t bound = Sys().NowMs() + boundMs;
  ReadFacts facts;
  facts.targetProcess = target.process;
  for (;;) {
    const std::uint64_t now = Sys().NowMs();
    facts.request =
        Sys().AwaitTextRequest(now < bound ? static_cast<std::uint32_t>(bound - now) : 0);
    if (facts.request) lastReadMs_ = Sys().NowMs();
    switch (NextReadStep(facts)) {
      case ReadStep::ByTarget:
        return ItemRead::ByTarget;
      case ReadStep::Unseen:
        return ItemRead::Unseen;
      case ReadStep::Withdraw:
        Sys().WithdrawClipboardText();
        return ItemRead::NotRead;
      case ReadStep::OfferAnew:
        ++facts.reoffered;
        Sys().ReofferClipboardText();
        break;
      case ReadStep::Wait:
        break;
    }
    facts.readByOther = true;
  }
}

}  // namespace sendlark
