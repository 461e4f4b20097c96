// SendlarkSetup's window: the windows of other programs in a sortable list, the paste command
// and the hot key to use, the buttons to refresh, try out and save, and a status line.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/setup_window_events.h"
#include "platform/win32/base_window.h"

namespace sendlark::win32 {

inline constexpr wchar_t kSetupWindowClass[] = L"SendlarkSetup";

// The text of platform/setup_texts.h in the user's language: Japanese when it is Japanese,
// English for any other.
std::wstring LoadText(int id);

class SetupWindow : public BaseWindow<SetupWindow> {
 public:
  // Creates the window hidden. It asks `events` for the windows to list and reports the buttons
  // to it.
  SetupWindow(HINSTANCE instance, SetupWindowEvents& events);

  // Shows the window and lists the windows, as Refresh does.
  void Show(int showCommand);

 private:
  friend class BaseWindow<SetupWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateControls();
  void ApplyDpi(int dpi);
  void Layout();
  void OnCommand(int id);
  void OnNotify(const NMHDR& header);

  // Lists the windows afresh, as the program gives them; the chosen one stays chosen if it is
  // still there.
  void Refresh();
  void SortBy(int column, bool ascending);
  // Shows the rows as they stand, with `window` chosen if it is among them.
  void ShowRows(std::uintptr_t window);
  const ListedWindow* Chosen() const;
  std::uintptr_t ChosenWindow() const { return Chosen() != nullptr ? Chosen()->window : 0; }
  // The row chosen with the boxes beside the list, as the user left them.
  SetupChoice Choice() const;
  void SetStatus(const std::wstring& text) {
    ::SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  int Scale(int pixels) const { return ::MulDiv(pixels, dpi_, 96); }
  // The width of the control's caption, as drawn: an "&" marking its access key takes no room.
  int TextWidth(HWND control) const;

  HINSTANCE instance_;
  SetupWindowEvents& events_;
  // Its controls, from top left to bottom right.
  HWND list_{}, titleLabel_{}, match_{}, title_{}, pasteLabel_{}, paste_{}, hotKeyLabel_{},
      hotKey_{}, send_{}, save_{}, restore_{}, refresh_{}, status_{};
  int dpi_ = 96;
  UniqueFont font_;
  std::vector<ListedWindow> rows_;  // in the list's order, which shows their cells as they are
  int sortColumn_ = -1;             // none yet: the order they were listed in
  bool ascending_ = true;
};

}  // namespace sendlark::win32
