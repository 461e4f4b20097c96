#include "platform/win32/setup/setup_window.h"

#include <algorithm>
#include <array>
#include <compare>
#include <exception>
#include <memory>
#include <utility>

#include "platform/setup_texts.h"
#include "platform/win32/dpi.h"
#include "platform/win32/win32_platform.h"

namespace sendlark::win32 {

namespace {

// Above IDOK and IDCANCEL, which the dialog keys Enter and Escape send.
enum ControlId : int {
  kListId = 100,
  kTitleLabelId,
  kMatchId,
  kTitleId,
  kPasteLabelId,
  kPasteId,
  kHotKeyLabelId,
  kHotKeyId,
  kSendId,
  kSaveId,
  kRestoreId,
  kRefreshId,
  kStatusId,
};

enum Column : int { kPasteColumn = 3, kWindowColumn = 4, kColumnCount = 5 };

// What each column shows of a row.
constexpr std::array<std::wstring ListedWindow::*, kColumnCount> kCells = {
    &ListedWindow::title, &ListedWindow::className, &ListedWindow::program,
    &ListedWindow::pasteCell, &ListedWindow::handle};

// Sizes at 96 DPI.
constexpr std::array<int, kColumnCount> kColumnWidths = {210, 120, 230, 320, 90};
constexpr int kMargin = 8;
constexpr int kRowHeight = 26;
constexpr int kPasteWidth = 110;
constexpr int kHotKeyWidth = 150;
constexpr int kMatchWidth = 200;
constexpr int kMatchListHeight = 120;
constexpr int kButtonPadding = 24;
constexpr SIZE kInitialSize = {1000, 480};
constexpr SIZE kSmallestSize = {560, 240};
// The longest identifier, 2147483647, or route, "Shift+Insert", with blanks around.
constexpr int kPasteLength = 20;

// Texts as the user's language sorts them; numbers as numbers; windows without a paste
// command after those with one.
std::strong_ordering CompareRows(const ListedWindow& a, const ListedWindow& b, int column) {
  if (column == kWindowColumn) return a.window <=> b.window;
  if (column == kPasteColumn) {
    return std::pair(!a.paste, a.paste.value_or(0)) <=> std::pair(!b.paste, b.paste.value_or(0));
  }
  const std::wstring& left = a.*kCells[column];
  const std::wstring& right = b.*kCells[column];
  return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, left.data(),
                          static_cast<int>(left.size()), right.data(),
                          static_cast<int>(right.size())) <=> CSTR_EQUAL;
}

}  // namespace

std::wstring LoadText(int id) {
  // The resource itself, which the system picks in the user's language.
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(::GetModuleHandleW(nullptr), static_cast<UINT>(id),
                                   reinterpret_cast<LPWSTR>(&text), 0);
  return std::wstring(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

SetupWindow::SetupWindow(HINSTANCE instance, SetupWindowEvents& events)
    : instance_(instance), events_(events) {
  RegisterMainClass(instance, kSetupWindowClass);
  ACCEL refresh = {FVIRTKEY, VK_F5, kRefreshId};
  accelerators_.reset(::CreateAcceleratorTableW(&refresh, 1));
  dialogKeys_ = true;
  Create(instance, kSetupWindowClass, LoadText(IDS_TITLE).c_str(), 0,
         WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, kInitialSize.cx,
         kInitialSize.cy);
  // Only now is the monitor's DPI known.
  ::SetWindowPos(window_, nullptr, 0, 0, Scale(kInitialSize.cx), Scale(kInitialSize.cy),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT SetupWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      ApplyDpi(WindowDpi(window_));
      return 0;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {Scale(kSmallestSize.cx),
                                                               Scale(kSmallestSize.cy)};
      return 0;
    case WM_DPICHANGED:
      ApplyDpi(HIWORD(wParam));
      MoveToSuggested(lParam);
      return 0;
    case WM_COMMAND:
      // From a button, the F5 accelerator or the mode's list (both 1), or the title typed.
      if (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == 1 ||
          (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == kTitleId)) {
        OnCommand(LOWORD(wParam));
      }
      return 0;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(window_, message, wParam, lParam);
  }
}

void SetupWindow::CreateControls() {
  const auto control = [&](DWORD exStyle, const wchar_t* className, int text, DWORD style, int id) {
    return ::CreateWindowExW(exStyle, className, text != 0 ? LoadText(text).c_str() : L"",
                             WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  };
  // The list asks for each cell as it draws it (LVS_OWNERDATA), and is shown the rows' own
  // texts.
  list_ =
      control(WS_EX_CLIENTEDGE, WC_LISTVIEWW, 0,
              WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA, kListId);
  ::SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
  for (int column = 0; column < kColumnCount; ++column) {
    LVCOLUMNW description = {};
    description.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    description.cx = kColumnWidths[static_cast<std::size_t>(column)];
    std::wstring title = LoadText(IDS_COLUMN_TITLE + column);
    description.pszText = title.data();
    description.iSubItem = column;
    ::SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                   reinterpret_cast<LPARAM>(&description));
  }
  // Each label comes right before its box, so its access key moves the focus into it.
  titleLabel_ = control(0, L"STATIC", IDS_TITLE_LABEL, SS_CENTERIMAGE, kTitleLabelId);
  match_ = control(0, WC_COMBOBOXW, 0, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kMatchId);
  for (int mode = IDS_MATCH_EXACT; mode <= IDS_MATCH_ANY; ++mode) {
    ::SendMessageW(match_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadText(mode).c_str()));
  }
  ::SendMessageW(match_, CB_SETCURSEL, 0, 0);
  title_ = control(WS_EX_CLIENTEDGE, L"EDIT", 0, WS_TABSTOP | ES_AUTOHSCROLL, kTitleId);
  pasteLabel_ = control(0, L"STATIC", IDS_PASTE_LABEL, SS_CENTERIMAGE, kPasteLabelId);
  paste_ = control(WS_EX_CLIENTEDGE, L"EDIT", 0, WS_TABSTOP | ES_AUTOHSCROLL, kPasteId);
  ::SendMessageW(paste_, EM_SETLIMITTEXT, kPasteLength, 0);
  hotKeyLabel_ = control(0, L"STATIC", IDS_HOTKEY_LABEL, SS_CENTERIMAGE, kHotKeyLabelId);
  hotKey_ = control(WS_EX_CLIENTEDGE, L"EDIT", 0, WS_TABSTOP | ES_AUTOHSCROLL, kHotKeyId);
  ::SendMessageW(hotKey_, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(L"Ctrl+Alt+S"));
  send_ = control(0, L"BUTTON", IDS_SEND, WS_TABSTOP | BS_PUSHBUTTON, kSendId);
  save_ = control(0, L"BUTTON", IDS_SAVE, WS_TABSTOP | BS_PUSHBUTTON, kSaveId);
  restore_ = control(0, L"BUTTON", IDS_RESTORE_CLIPBOARD, WS_TABSTOP | BS_AUTOCHECKBOX, kRestoreId);
  refresh_ = control(0, L"BUTTON", IDS_REFRESH, WS_TABSTOP | BS_PUSHBUTTON, kRefreshId);
  status_ = control(0, STATUSCLASSNAMEW, 0, SBARS_SIZEGRIP, kStatusId);
}

void SetupWindow::ApplyDpi(int dpi) {
  const int oldDpi = std::exchange(dpi_, dpi);
  // The font the system uses for message boxes, at the window's DPI rather than the system's.
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                               static_cast<UINT>(dpi));
  UniqueFont font(::CreateFontIndirectW(&metrics.lfMessageFont));
  for (const HWND control : {list_, titleLabel_, match_, title_, pasteLabel_, paste_, hotKeyLabel_,
                             hotKey_, send_, save_, restore_, refresh_, status_}) {
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  }
  font_ = std::move(font);  // only once no control uses the old one
  // The columns keep the widths the user gave them, at the new scale.
  for (int column = 0; column < kColumnCount; ++column) {
    const int width =
        static_cast<int>(::SendMessageW(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
    ::SendMessageW(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                   ::MulDiv(width, dpi, oldDpi));
  }
  Layout();
}

int SetupWindow::TextWidth(HWND control) const {
  wchar_t text[256] = {};
  ::GetWindowTextW(control, text, std::size(text));
  const auto release = [this](HDC dc) { ::ReleaseDC(window_, dc); };
  const std::unique_ptr<HDC__, decltype(release)> dc(::GetDC(window_), release);
  const HGDIOBJ old = ::SelectObject(dc.get(), font_.get());
  RECT bounds = {};
  ::DrawTextW(dc.get(), text, -1, &bounds, DT_CALCRECT | DT_SINGLELINE);
  ::SelectObject(dc.get(), old);
  return bounds.right - bounds.left;
}

// The list fills the window above rows of controls and the status line: the title's, the boxes,
// each after its label, then the buttons, with Refresh at the right edge.
void SetupWindow::Layout() {
  if (status_ == nullptr) return;
  ::SendMessageW(status_, WM_SIZE, 0, 0);
  RECT client = {};
  ::GetClientRect(window_, &client);
  RECT status = {};
  ::GetWindowRect(status_, &status);
  const int margin = Scale(kMargin);
  const int height = Scale(kRowHeight);
  const int width = static_cast<int>(client.right);
  const auto label = [&](HWND control) { return std::pair{control, TextWidth(control)}; };
  const auto button = [&](HWND control) {
    return std::pair{control, TextWidth(control) + Scale(kButtonPadding)};
  };
  // The boxes of the first two rows line up after their labels. A width of 0 reaches the right.
  const int labelWidth = std::max(TextWidth(titleLabel_), TextWidth(pasteLabel_));
  const std::vector<std::vector<std::pair<HWND, int>>> rows = {
      {{titleLabel_, labelWidth}, {match_, Scale(kMatchWidth)}, {title_, 0}},
      {{pasteLabel_, labelWidth},
       {paste_, Scale(kPasteWidth)},
       label(hotKeyLabel_),
       {hotKey_, Scale(kHotKeyWidth)}},
      {button(send_), button(save_), button(restore_)}};
  const int rowsTop = std::max(0, static_cast<int>(client.bottom - (status.bottom - status.top)) -
                                      static_cast<int>(rows.size()) * (height + margin));
  const auto place = [&](HWND control, int left, int top, int width) {
    ::SetWindowPos(control, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  int top = rowsTop;
  int left = margin;
  for (const auto& row : rows) {
    left = margin;
    for (const auto& [control, controlWidth] : row) {
      const int placed = controlWidth > 0 ? controlWidth : std::max(0, width - margin - left);
      place(control, left, top, placed);
      left += placed + margin;
    }
    top += height + margin;
  }
  // A drop-down list is as tall as its list when it is open.
  ::SetWindowPos(match_, nullptr, 0, 0, Scale(kMatchWidth), height + Scale(kMatchListHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const auto [refresh, refreshWidth] = button(refresh_);
  place(refresh, std::max(left, width - margin - refreshWidth), top - height - margin,
        refreshWidth);
  ::SetWindowPos(list_, nullptr, margin, margin, std::max(0, width - 2 * margin),
                 std::max(0, rowsTop - 2 * margin), SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetupWindow::Show(int showCommand) {
  ::SendMessageW(restore_, BM_SETCHECK, events_.RestoresClipboard() ? BST_CHECKED : BST_UNCHECKED,
                 0);
  ::ShowWindow(window_, showCommand);
  ::UpdateWindow(window_);
  ::SetFocus(list_);
  Refresh();
}

void SetupWindow::Refresh() {
  const std::uintptr_t chosen = ChosenWindow();
  std::wstring status;
  rows_ = events_.ListWindows(status);
  if (sortColumn_ >= 0) SortBy(sortColumn_, ascending_);
  ::SetWindowTextW(paste_, L"");
  SetStatus(status);
  ShowRows(chosen);
}

void SetupWindow::SortBy(int column, bool ascending) {
  sortColumn_ = column;
  ascending_ = ascending;
  std::stable_sort(rows_.begin(), rows_.end(), [&](const ListedWindow& a, const ListedWindow& b) {
    const std::strong_ordering order = CompareRows(a, b, column);
    return ascending ? order < 0 : order > 0;
  });
  const HWND header = reinterpret_cast<HWND>(::SendMessageW(list_, LVM_GETHEADER, 0, 0));
  for (int i = 0; i < kColumnCount; ++i) {
    HDITEMW item = {};
    item.mask = HDI_FORMAT;
    ::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (i == column) item.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
    ::SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
}

void SetupWindow::ShowRows(std::uintptr_t window) {
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  ::SendMessageW(list_, LVM_SETITEMCOUNT, rows_.size(), 0);
  ::InvalidateRect(list_, nullptr, TRUE);
  const auto found = std::find_if(rows_.begin(), rows_.end(),
                                  [&](const ListedWindow& row) { return row.window == window; });
  if (window == 0 || found == rows_.end()) return;
  const WPARAM index = static_cast<WPARAM>(found - rows_.begin());
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(list_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
  ::SendMessageW(list_, LVM_ENSUREVISIBLE, index, FALSE);
}

const ListedWindow* SetupWindow::Chosen() const {
  const LRESULT index =
      ::SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  if (index < 0 || static_cast<std::size_t>(index) >= rows_.size()) return nullptr;
  return &rows_[static_cast<std::size_t>(index)];
}

SetupChoice SetupWindow::Choice() const {
  const auto mode = ::SendMessageW(match_, CB_GETCURSEL, 0, 0);
  return {Chosen(),         TitleOf(paste_),
          TitleOf(title_),  static_cast<TitleMatch>(std::max<LRESULT>(mode, 0)),
          TitleOf(hotKey_), ::SendMessageW(restore_, BM_GETCHECK, 0, 0) == BST_CHECKED};
}

void SetupWindow::OnCommand(int id) {
  // Nothing may escape through the window procedure: the button's work is given up, with a word.
  try {
    if (id == kRefreshId) Refresh();
    if (id == kSaveId) SetStatus(events_.Save(Choice()));
    if (id == kSendId) {
      SetupChoice choice = Choice();
      SetStatus(events_.SendTestText(choice));
      ::SetWindowTextW(paste_, choice.paste.c_str());  // the route found, if it looked for one
    }
    if (id == kTitleId || id == kMatchId) SetStatus(events_.DescribeMatch(Choice()));
  } catch (const std::exception&) {
    const std::wstring text = LoadText(IDS_NOT_DONE);
    SetStatus(text);
    ::MessageBoxW(window_, text.c_str(), LoadText(IDS_TITLE).c_str(), MB_OK | MB_ICONERROR);
  }
}

void SetupWindow::OnNotify(const NMHDR& header) {
  if (header.idFrom != kListId) return;
  const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
  if (header.code == LVN_GETDISPINFOW) {
    LVITEMW& cell = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item;
    const auto row = static_cast<std::size_t>(cell.iItem);
    if ((cell.mask & LVIF_TEXT) != 0 && row < rows_.size()) {
      cell.pszText = const_cast<wchar_t*>((rows_[row].*kCells[cell.iSubItem]).c_str());
    }
  } else if (header.code == LVN_COLUMNCLICK) {
    const std::uintptr_t chosen = ChosenWindow();
    // A second click on the same column reverses its order.
    SortBy(change.iSubItem, change.iSubItem != sortColumn_ || !ascending_);
    ShowRows(chosen);
  } else if (header.code == LVN_ITEMCHANGED && (change.uChanged & LVIF_STATE) != 0 &&
             (change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0) {
    const ListedWindow* row = Chosen();
    if (row == nullptr) return;
    ::SetWindowTextW(paste_, row->paste ? std::to_wstring(*row->paste).c_str() : L"");
    ::SetWindowTextW(title_, row->title.c_str());
    SetStatus(row->status);
  }
}

}  // namespace sendlark::win32
