// One move-only owner for every kind of Win32 handle, closed by `Close`.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace sendlark::win32 {

// `kInvalid` is the value that holds nothing: null for all but the few functions that report
// failure with INVALID_HANDLE_VALUE instead (CreateFile, FindFirstFile).
template <typename Handle, auto Close, LONG_PTR kInvalid = 0>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid(); }

  Handle release() { return std::exchange(handle_, Invalid()); }
  void reset(Handle handle = Invalid()) {
    const Handle old = std::exchange(handle_, handle);
    if (old != Invalid()) Close(old);
  }

 private:
  static Handle Invalid() { return reinterpret_cast<Handle>(kInvalid); }

  Handle handle_ = Invalid();
};

using UniqueKernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;
using UniqueFile = UniqueHandle<HANDLE, &::CloseHandle, -1>;
using UniqueFind = UniqueHandle<HANDLE, &::FindClose, -1>;
using UniqueGlobal = UniqueHandle<HGLOBAL, &::GlobalFree>;
using UniqueMenu = UniqueHandle<HMENU, &::DestroyMenu>;
using UniqueAccelerators = UniqueHandle<HACCEL, &::DestroyAcceleratorTable>;
using UniqueBrush = UniqueHandle<HBRUSH, &::DeleteObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, &::DeleteObject>;
using UniqueEnhMetaFile = UniqueHandle<HENHMETAFILE, &::DeleteEnhMetaFile>;
using UniqueFont = UniqueHandle<HFONT, &::DeleteObject>;
using UniqueIcon = UniqueHandle<HICON, &::DestroyIcon>;
using UniqueImageList = UniqueHandle<HIMAGELIST, &::ImageList_Destroy>;
using UniqueWindow = UniqueHandle<HWND, &::DestroyWindow>;
using UniqueModule = UniqueHandle<HMODULE, &::FreeLibrary>;  // loaded as code or as data
using UniqueWindow = UniqueHandle<HWND, &::DestroyWindow>;

}  // namespace sendlark::win32
