// The program's one window: a borderless strip with a grip at each end and a toolbar between.
#pragma once

#include <windows.h>

#include <deque>
#include <vector>

#include "platform/strip.h"
#include "platform/strip_layout.h"
#include "platform/window_events.h"
#include "platform/win32/base_window.h"
#include "platform/win32/unique_handle.h"

namespace sendlark::win32 {

class DropTarget;

class MainWindow : public BaseWindow<MainWindow> {
 public:
  // Creates the window hidden, with its toolbar, images and shortcuts as `strip` describes
  // them. Everything the user does with it is reported to `events`.
  MainWindow(HINSTANCE instance, StripDescription strip, WindowEvents& events);
  ~MainWindow();

  const std::wstring& Title() const { return strip_.title; }

 private:
  friend class BaseWindow<MainWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void OnCreate();
  void OnDestroy();
  void OnPaint();
  LRESULT OnNotify(const NMHDR& header);

  void CreateToolbar();
  void ApplyLayout(int dpi);
  void LoadToolbarImages();

  HINSTANCE instance_;
  StripDescription strip_;
  WindowEvents& events_;
  HWND toolbar_ = nullptr;
  UniqueWindow tips_;  // the toolbar's tool tips
  WindowLayout layout_;
  UniqueImageList images_;
  DropTarget* dropTarget_ = nullptr;
  std::deque<DropEvent> drops_;
};

}  // namespace sendlark::win32
