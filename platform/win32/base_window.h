// The one place where a window object is bound to its HWND, as the Windows samples do it: bound
// at the window's first message (WM_NCCREATE), every message then handed to the object's own
// HandleMessage, and the binding cleared after the last one (WM_NCDESTROY), so that no message
// reaches an object whose window is gone.
#pragma once

#include <windows.h>

#include "platform/win32/resources/resource_ids.h"
#include "platform/win32/unique_handle.h"

namespace sendlark::win32 {

// T derives from BaseWindow<T>, registers its class with WindowProc and has
// `LRESULT HandleMessage(UINT, WPARAM, LPARAM)`, which passes what it does not handle to
// DefWindowProcW.
template <typename T>
class BaseWindow {
 public:
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;

  HWND Handle() const { return window_; }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
    T* self = nullptr;
    if (message == WM_NCCREATE) {
      self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      self->window_ = window;
      ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<T*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
    }
    return result;
  }

  // Dispatches the thread's messages, through the window's shortcuts, until it is closed;
  // returns the exit code.
  int RunMessageLoop() {
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (::TranslateAcceleratorW(window_, accelerators_.get(), &message)) continue;
      // Tab between the controls, and their access keys.
      if (dialogKeys_ && ::IsDialogMessageW(window_, &message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
  }

 protected:
  BaseWindow() = default;
  // A window that outlives its object is destroyed unbound, as T can no longer handle its last
  // messages; T destroys it first where they matter.
  ~BaseWindow() {
    if (window_ == nullptr) return;
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
  }

  // Registers `className` for T's main window: the program's icon, the arrow cursor and the
  // dialog colour. A class keeps its icons, which live as long as this object.
  void RegisterMainClass(HINSTANCE instance, const wchar_t* className) {
    const auto icon = [&](int width, int height, UINT flags) {
      return UniqueIcon(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_SENDLARK),
                                                        IMAGE_ICON, width, height, flags)));
    };
    largeIcon_ = icon(0, 0, LR_DEFAULTSIZE);
    smallIcon_ = icon(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = largeIcon_.get();
    windowClass.hIconSm = smallIcon_.get();
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    ::RegisterClassExW(&windowClass);
  }

  // Creates the window, of a class registered with WindowProc, bound to this object. With
  // HWND_MESSAGE as `parent` it is a message-only window.
  void Create(HINSTANCE instance, const wchar_t* className, const wchar_t* title, DWORD exStyle,
              DWORD style, int x, int y, int width, int height, HWND parent = nullptr) {
    ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, nullptr,
                      instance, static_cast<T*>(this));
  }

  // Takes the place and size that WM_DPICHANGED suggests in `rect`.
  void MoveToSuggested(LPARAM rect) {
    const RECT& r = *reinterpret_cast<const RECT*>(rect);
    ::SetWindowPos(window_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }

  HWND window_ = nullptr;
  UniqueAccelerators accelerators_;  // the window's shortcuts, if it has any
  bool dialogKeys_ = false;          // its controls take Tab and their access keys

 private:
  UniqueIcon largeIcon_;
  UniqueIcon smallIcon_;
};

}  // namespace sendlark::win32
