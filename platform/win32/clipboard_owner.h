// The owner of the texts this program puts on the clipboard: a hidden window that hands a text
// over only when a program asks for it, and notes who asked.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/win32/base_window.h"

namespace sendlark::win32 {

class ClipboardOwner final : public BaseWindow<ClipboardOwner> {
 public:
  ClipboardOwner() = default;
  // A text no program has asked for yet stays on the clipboard after the owner is gone.
  ~ClipboardOwner();

  // The window that owns the clipboard's content, created on first use.
  HWND Window();
  // Offers `text` in place of any earlier one: on the clipboard, opened by Window() and emptied,
  // the text's format has been announced without data.
  void Offer(std::wstring text);
  // Offers the same text once more, announced again in the same way.
  void OfferAgain();
  bool HasRequest() const { return request_.has_value(); }
  // The request for the text offered last, once: nothing when none came since.
  std::optional<TextRequest> TakeRequest();
  // Puts a text that no program has asked for yet on the clipboard itself, as the program ends.
  void HandOver();
  // Takes back a text that no program has asked for yet: no later request gets it, and the
  // clipboard keeps only the marks of a command text.
  void Withdraw();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void OnRenderRequest();
  void PutText();

  std::wstring text_;
  bool pending_ = false;                // offered, and not yet handed over
  std::optional<TextRequest> request_;  // not yet reported
};

}  // namespace sendlark::win32
