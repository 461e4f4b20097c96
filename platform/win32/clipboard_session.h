// What putting data on the clipboard and taking it off share: one open clipboard per operation,
// memory handed to it, and the mark that tells a command text of any copy of the program.
#pragma once

#include <windows.h>

#include <cstddef>

#include "platform/win32/unique_handle.h"

namespace sendlark::win32 {

// Opens the clipboard for one operation and closes it when it goes out of scope. Another program
// may hold it for a while (a clipboard manager, a remote desktop copying it over), and may be
// asking for our own text meanwhile, waiting for it as long as we wait for the clipboard: the
// wait serves it.
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

// Movable memory holding a copy of the bytes; empty when there is no memory for them.
UniqueGlobal GlobalCopy(const void* data, std::size_t size);

// Puts a copy of the bytes on the open clipboard in `format`.
void PutData(UINT format, const void* data, std::size_t size);

// The class of the window through which every copy of the program offers its texts.
inline constexpr wchar_t kOwnerClass[] = L"SendlarkClipboardOwner";

// Every command text carries it, and so does a clipboard whose text was taken back, so that no
// copy of the program takes either for the user's clipboard.
UINT CommandTextMark();

// True while the clipboard holds a command text, or what is left of one taken back, of this copy
// or of another: it carries the mark, or belongs to a copy's owner window.
bool HoldsCommandText();

}  // namespace sendlark::win32
