// Putting text on the clipboard.
#pragma once

#include <windows.h>

#include <string>

#include "platform/platform.h"

namespace sendlark::win32 {

// Opens the clipboard for one operation and closes it when it goes out of scope. Another
// program (a clipboard manager, a remote-desktop client) may hold it for a moment, so opening
// is retried for up to five seconds.
class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner);
  ~ClipboardSession();
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;

  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

// Replaces the clipboard's content with `text` as Unicode text, owned by `owner`.
ErrorText PutClipboardText(HWND owner, const std::wstring& text);

}  // namespace sendlark::win32
