#include "platform/win32/window_class.h"

#include "platform/win32/resources/resource_ids.h"

namespace sendlark::win32 {

ClassIcons RegisterMainWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC proc) {
  ClassIcons icons;
  icons.large.reset(static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_SENDLARK), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
  icons.small.reset(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_SENDLARK),
                                                    IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                    ::GetSystemMetrics(SM_CYSMICON), 0)));
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance;
  windowClass.hIcon = icons.large.get();
  windowClass.hIconSm = icons.small.get();
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  ::RegisterClassExW(&windowClass);
  return icons;
}

}  // namespace sendlark::win32
