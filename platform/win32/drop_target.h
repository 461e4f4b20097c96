// Accepts files dropped on a window from other programs through OLE drag and drop.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>

#include "platform/window_events.h"

namespace sendlark::win32 {

// Only drops that carry a file list are accepted, and only ever as a copy: a drop target that
// answered "moved" could make the source program delete the files.
class DropTarget final : public IDropTarget {
 public:
  using Handler = std::function<void(DropEvent)>;

  // `window` is where drops land; `handler` gets each drop's file names in the drop's order.
  DropTarget(HWND window, Handler handler);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDropTarget
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                 DWORD* effect) override;

 private:
  ~DropTarget() = default;
  DWORD Effect(DWORD allowed) const;

  LONG references_ = 1;
  HWND window_;
  Handler handler_;
  bool hasFiles_ = false;
};

// The file names a data object carries as a file list, in their order; empty without one.
std::vector<std::wstring> DroppedFileNames(IDataObject* data);

// The shift state the window's events report (1 Shift, 2 Ctrl, 4 Alt) of MK_ key flags.
short ShiftCode(DWORD keys);

}  // namespace sendlark::win32
