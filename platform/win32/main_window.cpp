#include "platform/win32/main_window.h"

#include <windowsx.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>

#include "platform/win32/dpi.h"
#include "platform/win32/drop_target.h"
#include "platform/win32/resources/resource_ids.h"

namespace sendlark::win32 {

namespace {

constexpr UINT kDroppedMessage = WM_APP + 1;
constexpr int kToolbarControlId = 1;

COLORREF ToColorRef(Colour colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

// The toolbar's images in each size drawn, largest first.
struct ImageStrip {
  int size;
  int resource;
};
constexpr ImageStrip kImageStrips[] = {
    {32, IDB_TOOLBAR32}, {24, IDB_TOOLBAR24}, {20, IDB_TOOLBAR20}, {16, IDB_TOOLBAR16}};

UniqueAccelerators CreateAccelerators(const std::vector<StripShortcut>& shortcuts) {
  std::vector<ACCEL> table;
  for (const StripShortcut& shortcut : shortcuts) {
    table.push_back({FVIRTKEY | FCONTROL, static_cast<WORD>(shortcut.key),
                     static_cast<WORD>(shortcut.command)});
  }
  return UniqueAccelerators(
      ::CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, StripDescription strip, WindowEvents& events)
    : instance_(instance), strip_(std::move(strip)), events_(events), layout_(LayoutFor(96)) {
  RegisterMainClass(instance, strip_.className.c_str());

  accelerators_ = CreateAccelerators(strip_.shortcuts);

  // WS_POPUP: no title bar and no border, so the client area is the whole window.
  // WS_EX_TOOLWINDOW: a small tool strip, without a taskbar button or a place in Alt+Tab.
  // WS_SYSMENU: nothing shows it without a caption, but Wine manages a popup that has one as an
  // ordinary window. A strip first shown without being activated would stay outside its window
  // management until its first move while active, which Wine then ends.
  // Created hidden and not yet topmost: start-up shows it and places it above other windows.
  // It first appears centred at the top of the primary monitor's work area.
  RECT area = {0, 0, 800, 600};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  Create(instance, strip_.className.c_str(), strip_.title.c_str(), WS_EX_TOOLWINDOW,
         WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN, area.left, area.top, layout_.width,
         layout_.height);
  // Only now is the size known at the monitor's own DPI.
  ::SetWindowPos(window_, nullptr, (area.left + area.right - layout_.width) / 2, area.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Destroyed while the object can still let go of drag and drop.
MainWindow::~MainWindow() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // Their keys leave out Alt, whose flag there means the first X button.
      events_.MouseDown(
          message == WM_LBUTTONDOWN   ? kLeftButton
          : message == WM_RBUTTONDOWN ? kRightButton
                                      : kMiddleButton,
          ShiftCode((wParam & (MK_SHIFT | MK_CONTROL)) | (::GetKeyState(VK_MENU) < 0 ? MK_ALT : 0)),
          ToTwips(GET_X_LPARAM(lParam), layout_.dpi), ToTwips(GET_Y_LPARAM(lParam), layout_.dpi));
      return 0;
    case WM_COMMAND:
      events_.Command(LOWORD(wParam));
      return 0;
    case WM_HOTKEY:
      events_.HotKeyPressed();
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DPICHANGED:
      MoveToSuggested(lParam);
      ApplyLayout(HIWORD(wParam));
      return 0;
    case kDroppedMessage:
      if (!drops_.empty()) {
        DropEvent drop = std::move(drops_.front());
        drops_.pop_front();
        events_.FilesDropped(drop);
      }
      return 0;
    default:
      return ::DefWindowProcW(window_, message, wParam, lParam);
  }
}

void MainWindow::OnCreate() {
  CreateToolbar();
  ApplyLayout(WindowDpi(window_));
  dropTarget_ = new DropTarget(toolbar_, [this](DropEvent drop) {
    // Delivering takes a while and may show message boxes; the program that started the drag
    // must not wait for that, so the drop is handled once the drag has ended.
    drops_.push_back(std::move(drop));
    ::PostMessageW(window_, kDroppedMessage, 0, 0);
  });
  ::RegisterDragDrop(toolbar_, dropTarget_);
}

void MainWindow::OnDestroy() {
  ::RevokeDragDrop(toolbar_);
  if (dropTarget_ != nullptr) dropTarget_->Release();
  dropTarget_ = nullptr;
  ::PostQuitMessage(0);
}

void MainWindow::CreateToolbar() {
  // Flat buttons without text; the toolbar is placed by hand, not docked to an edge.
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | CCS_NORESIZE |
                      CCS_NODIVIDER | CCS_NOPARENTALIGN;
  toolbar_ = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, window_,
                               reinterpret_cast<HMENU>(kToolbarControlId), instance_, nullptr);
  // Tool tips show only over the active window unless they are always tips, and the strip never
  // takes the focus by itself. Given to the toolbar before its buttons, each button is one of
  // their tools. They belong to no window: Wine does not make a window topmost while a topmost
  // window that it owns exists.
  tips_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                instance_, nullptr));
  ::SendMessageW(toolbar_, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tips_.get()), 0);
  ::SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  std::vector<TBBUTTON> buttons;
  for (const StripButton& button : strip_.buttons) {
    buttons.push_back({button.image, button.command, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, -1});
  }
  ::SendMessageW(toolbar_, TB_ADDBUTTONSW, buttons.size(),
                 reinterpret_cast<LPARAM>(buttons.data()));
}

void MainWindow::LoadToolbarImages() {
  // The largest that fits the scaled button: drawn at its own size, never stretched.
  const ImageStrip& strip = *std::find_if(
      std::begin(kImageStrips), std::end(kImageStrips) - 1,
      [&](const ImageStrip& candidate) { return candidate.size <= layout_.imageSize; });
  UniqueBitmap bitmap(static_cast<HBITMAP>(::LoadImageW(instance_, MAKEINTRESOURCEW(strip.resource),
                                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  UniqueImageList images(::ImageList_Create(strip.size, strip.size, ILC_COLOR24 | ILC_MASK,
                                            static_cast<int>(strip_.buttons.size()), 0));
  ::ImageList_AddMasked(images.get(), bitmap.get(), ToColorRef(kImageMask));
  ::SendMessageW(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(strip.size, strip.size));
  ::SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
  images_ = std::move(images);  // the toolbar does not own its image list
}

void MainWindow::ApplyLayout(int dpi) {
  layout_ = LayoutFor(dpi);
  LoadToolbarImages();
  ::SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(layout_.buttonWidth, layout_.buttonHeight));
  ::SetWindowPos(toolbar_, nullptr, layout_.toolbar.left, layout_.toolbar.top,
                 layout_.toolbar.width, layout_.toolbar.height, SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(window_, nullptr, 0, 0, layout_.width, layout_.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(window_, nullptr, TRUE);
}

void MainWindow::OnPaint() {
  PAINTSTRUCT paint;
  const HDC dc = ::BeginPaint(window_, &paint);
  for (const GripLine& line : layout_.grips) {
    UniqueBrush brush(::CreateSolidBrush(ToColorRef(line.colour)));
    const RECT column = {line.left, 0, line.left + line.width, layout_.height};
    ::FillRect(dc, &column, brush.get());
  }
  ::EndPaint(window_, &paint);
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  if (header.code == TTN_GETDISPINFOW) {
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    for (const StripButton& button : strip_.buttons) {
      if (static_cast<UINT_PTR>(button.command) == header.idFrom) {
        info.lpszText = const_cast<wchar_t*>(button.toolTip.c_str());
      }
    }
  }
  return 0;
}

}  // namespace sendlark::win32
