#include "platform/win32/drop_target.h"

#include <shellapi.h>

#include "platform/strip_layout.h"
#include "platform/win32/dpi.h"

namespace sendlark::win32 {

namespace {

FORMATETC FileListFormat() {
  return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool HasFileList(IDataObject* data) {
  FORMATETC format = FileListFormat();
  return data != nullptr && data->QueryGetData(&format) == S_OK;
}

short ButtonCode(DWORD keys) {
  return static_cast<short>(((keys & MK_LBUTTON) ? kLeftButton : 0) |
                            ((keys & MK_RBUTTON) ? kRightButton : 0) |
                            ((keys & MK_MBUTTON) ? kMiddleButton : 0));
}

}  // namespace

short ShiftCode(DWORD keys) {
  return static_cast<short>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                            ((keys & MK_ALT) ? 4 : 0));
}

std::vector<std::wstring> DroppedFileNames(IDataObject* data) {
  std::vector<std::wstring> names;
  FORMATETC format = FileListFormat();
  STGMEDIUM medium = {};
  if (data == nullptr || FAILED(data->GetData(&format, &medium))) return names;
  if (auto drop = static_cast<HDROP>(::GlobalLock(medium.hGlobal))) {
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::wstring name(::DragQueryFileW(drop, i, nullptr, 0), L'\0');
      ::DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
      names.push_back(std::move(name));
    }
    ::GlobalUnlock(medium.hGlobal);
  }
  ::ReleaseStgMedium(&medium);
  return names;
}

DropTarget::DropTarget(HWND window, Handler handler)
    : window_(window), handler_(std::move(handler)) {}

HRESULT DropTarget::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDropTarget) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DropTarget::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG DropTarget::Release() {
  const LONG left = ::InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

DWORD DropTarget::Effect(DWORD allowed) const {
  // While a message box holds the window disabled, nothing is taken.
  if (!hasFiles_ || !::IsWindowEnabled(::GetAncestor(window_, GA_ROOT))) return DROPEFFECT_NONE;
  if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
  if (allowed & DROPEFFECT_LINK) return DROPEFFECT_LINK;
  return DROPEFFECT_NONE;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  hasFiles_ = HasFileList(data);
  *effect = Effect(*effect);
  return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  *effect = Effect(*effect);
  return S_OK;
}

HRESULT DropTarget::DragLeave() {
  hasFiles_ = false;
  return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  hasFiles_ = HasFileList(data);
  *effect = Effect(*effect);
  if (*effect == DROPEFFECT_NONE) return S_OK;
  POINT client = {point.x, point.y};
  ::ScreenToClient(window_, &client);
  const int dpi = WindowDpi(window_);
  DropEvent event;
  event.files = DroppedFileNames(data);
  event.effect = static_cast<long>(*effect);
  event.button = ButtonCode(keys);
  event.shift = ShiftCode(keys);
  event.x = ToTwips(client.x, dpi);
  event.y = ToTwips(client.y, dpi);
  hasFiles_ = false;
  handler_(std::move(event));
  return S_OK;
}

}  // namespace sendlark::win32
