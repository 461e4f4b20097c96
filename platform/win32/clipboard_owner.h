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
  const std::optional<TextRequest>& FirstRequest() const { return request_; }
  // Puts a text that no program has asked for yet on the clipboard itself, as the program ends.
  void HandOver();
  // Takes back a text that no program has asked for yet: no later request gets it.
  void Withdraw();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void OnRenderRequest();
  void PutText();

  std::wstring text_;
  bool pending_ = false;  // offered, and not yet handed over
  std::optional<TextRequest> request_;
};

}  // namespace sendlark::win32
