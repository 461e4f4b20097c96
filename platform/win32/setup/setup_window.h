// SendlarkSetup's window: the windows of other programs in a sortable list, the paste command
// to use, the buttons to refresh, try out and save, and a status line.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/setup_window_events.h"
#include "platform/win32/base_window.h"
#include "platform/win32/window_class.h"

namespace sendlark::win32 {

inline constexpr wchar_t kSetupWindowClass[] = L"SendlarkSetup";

class SetupWindow : public BaseWindow<SetupWindow> {
 public:
  // Creates the window hidden, with its texts in `language`. It asks `events` for the windows
  // to list and reports the buttons to it.
  SetupWindow(HINSTANCE instance, const SetupWindowTexts& texts, Language language,
              SetupWindowEvents& events);

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
  std::uintptr_t ChosenWindow() const;
  std::wstring PasteText() const;
  void SetStatus(const std::wstring& text);
  const wchar_t* Say(const Text& text) const { return text.In(language_); }
  int Scale(int pixels) const;
  int TextWidth(const Text& text) const;

  HINSTANCE instance_;
  const SetupWindowTexts& texts_;
  const Language language_;
  SetupWindowEvents& events_;
  HWND list_ = nullptr;
  HWND pasteLabel_ = nullptr;
  HWND paste_ = nullptr;
  HWND send_ = nullptr;
  HWND save_ = nullptr;
  HWND refresh_ = nullptr;
  HWND status_ = nullptr;
  int dpi_ = 96;
  UniqueFont font_;
  ClassIcons icons_;
  std::vector<ListedWindow> rows_;  // in the list's order, which shows their cells as they are
  int sortColumn_ = -1;             // none yet: the order they were listed in
  bool ascending_ = true;
};

}  // namespace sendlark::win32
