// Copying what the clipboard holds, and putting such a copy back.
#include <algorithm>
#include <cstring>
#include <new>

#include "platform/win32/clipboard_session.h"
#include "platform/win32/win32_platform.h"

namespace sendlark::win32 {

namespace {

// How long the clipboard's owner may take to answer before its content counts as one that
// cannot be copied: a program that hangs would keep us, and the clipboard, waiting for as long
// as it hangs when asked to render a format it announced.
constexpr UINT kOwnerPatienceMs = 500;

bool Answers(HWND owner) {
  if (owner == nullptr) return true;  // a clipboard without an owner has nothing to render
  if (::IsHungAppWindow(owner)) return false;
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutW(owner, WM_NULL, 0, 0, SMTO_NORMAL, kOwnerPatienceMs, &result) != 0;
}

bool Listed(const std::vector<UINT>& listed, UINT format) {
  return std::find(listed.begin(), listed.end(), format) != listed.end();
}

// The pictures that the system makes again from a format the copy keeps (a bitmap and a palette
// from a DIB, an old-style metafile from an enhanced one), and the display formats, which only
// the program that put them there can draw. Every other format is kept as it stands, so that a
// text's ANSI form or a DIB's V5 form that its program put itself comes back as it was.
bool Rebuilt(UINT format, const std::vector<UINT>& listed) {
  switch (format) {
    case CF_BITMAP:
    case CF_PALETTE:
      return Listed(listed, CF_DIB) || Listed(listed, CF_DIBV5);
    case CF_METAFILEPICT:
      return Listed(listed, CF_ENHMETAFILE);
    case CF_OWNERDISPLAY:
    case CF_DSPTEXT:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
      return true;
    default:
      return false;
  }
}

// Data the system hands to other programs as memory: not a GDI object or a metafile, nor a handle
// that means something only to the program that put it there.
bool IsMemory(UINT format) {
  constexpr UINT kHandles[] = {CF_BITMAP, CF_METAFILEPICT, CF_PALETTE, CF_ENHMETAFILE};
  return std::find(std::begin(kHandles), std::end(kHandles), format) == std::end(kHandles) &&
         (format < CF_PRIVATEFIRST || format > CF_GDIOBJLAST);
}

// One format's data as bytes: memory as it is, an enhanced metafile as its records. Nothing when
// its owner does not hand it over (hung, or gone), or when it is a handle that cannot be copied.
std::optional<ClipboardCopy::Format> CopyFormat(UINT format) {
  if (format == CF_ENHMETAFILE) {
    const auto picture = static_cast<HENHMETAFILE>(::GetClipboardData(format));
    std::string bytes(picture != nullptr ? ::GetEnhMetaFileBits(picture, 0, nullptr) : 0, '\0');
    const auto size = static_cast<UINT>(bytes.size());
    if (size == 0 ||
        ::GetEnhMetaFileBits(picture, size, reinterpret_cast<BYTE*>(bytes.data())) != size) {
      return std::nullopt;
    }
    return ClipboardCopy::Format{format, std::move(bytes)};
  }
  const HANDLE data = IsMemory(format) ? ::GetClipboardData(format) : nullptr;
  std::string bytes(data != nullptr ? ::GlobalSize(data) : 0, '\0');
  const void* memory = data != nullptr ? ::GlobalLock(data) : nullptr;
  if (memory == nullptr) return std::nullopt;
  std::memcpy(bytes.data(), memory, bytes.size());
  ::GlobalUnlock(data);
  return ClipboardCopy::Format{format, std::move(bytes)};
}

}  // namespace

// Only a copy of the whole content is of use: a part put back would lose the rest. The owner is
// asked whether it answers before the clipboard is opened, and again before each format, which
// it may have announced without its data: the system gives that request no bound of its own.
ClipboardCopy Win32Platform::CopyClipboard() {
  constexpr ClipboardCopy kIncomplete = {.kind = ClipboardCopy::Kind::Incomplete};
  if (!Answers(::GetClipboardOwner())) return kIncomplete;
  const ClipboardSession session(clipboard_.Window());
  if (!session.IsOpen()) return kIncomplete;
  if (HoldsCommandText()) return {.kind = ClipboardCopy::Kind::CommandText};
  const HWND owner = ::GetClipboardOwner();
  std::vector<UINT> listed;
  for (UINT format = ::EnumClipboardFormats(0); format != 0;
       format = ::EnumClipboardFormats(format)) {
    listed.push_back(format);
  }
  ClipboardCopy copy;
  try {
    for (const UINT format : listed) {
      if (Rebuilt(format, listed)) continue;
      if (!Answers(owner)) return kIncomplete;
      std::optional<ClipboardCopy::Format> copied = CopyFormat(format);
      if (!copied) return kIncomplete;
      copy.formats.push_back(std::move(*copied));
    }
  } catch (const std::bad_alloc&) {
    // Content too large to hold beside ours is as good as not handed over: the delivery goes on.
    return kIncomplete;
  }
  return copy;
}

bool Win32Platform::OwnsClipboard() {
  return ::GetClipboardOwner() == clipboard_.Window();
}

void Win32Platform::RestoreClipboard(const ClipboardCopy& copy) {
  struct Ready {
    UINT format;
    UniqueGlobal memory;
    UniqueEnhMetaFile picture;
  };
  // Every format is made ready before the clipboard is emptied, so that none is missing after.
  std::vector<Ready> ready;
  for (const ClipboardCopy::Format& format : copy.formats) {
    Ready& data = ready.emplace_back(format.id);
    if (format.id == CF_ENHMETAFILE) {
      data.picture.reset(::SetEnhMetaFileBits(static_cast<UINT>(format.bytes.size()),
                                              reinterpret_cast<const BYTE*>(format.bytes.data())));
    } else {
      data.memory = GlobalCopy(format.bytes.data(), format.bytes.size());
    }
    if (!data.memory && !data.picture) return;
  }
  // The user's content is owned by a window of its own, not by the owner of command texts, so
  // that it is taken for the user's again: by the next run, and by other copies.
  if (!restoredOwner_) {
    restoredOwner_.reset(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           nullptr, nullptr));
  }
  const ClipboardSession session(restoredOwner_.get());
  if (!session.IsOpen() || !HoldsCommandText() || !::EmptyClipboard()) return;
  for (Ready& data : ready) {
    const HANDLE handle =
        data.picture ? static_cast<HANDLE>(data.picture.get()) : data.memory.get();
    if (::SetClipboardData(data.format, handle) != nullptr) {
      data.memory.release();
      data.picture.release();
    }
  }
}

}  // namespace sendlark::win32
