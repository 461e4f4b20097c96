#include "config/text_encoding.h"

#include <cstdint>

namespace sendlark {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kLastCodePoint = 0x10FFFF;

constexpr bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}
constexpr char32_t HighSurrogate(char32_t codePoint) {
  return 0xD800 + ((codePoint - 0x10000) >> 10);
}
constexpr char32_t LowSurrogate(char32_t codePoint) {
  return 0xDC00 + ((codePoint - 0x10000) & 0x3FF);
}

struct Utf8Char {
  char32_t codePoint;  // U+FFFD when the sequence is ill-formed
  std::size_t length;  // bytes consumed, at least one
  bool valid;
};

// Reads the character starting at `at`. An ill-formed sequence consumes only its longest
// prefix that could still have begun a character, so that one U+FFFD stands for it and the
// byte that broke it starts afresh: the practice Unicode recommends and Windows follows.
Utf8Char ReadUtf8(std::string_view bytes, std::size_t at) {
  const auto byteAt = [bytes](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
  const std::uint8_t lead = byteAt(at);
  if (lead < 0x80) return {lead, 1, true};
  // Narrowing the second byte's range per lead byte is what rules out overlong forms,
  // surrogates and everything above U+10FFFF; the later bytes are ordinary continuations.
  std::size_t length = 0;
  char32_t codePoint = 0;
  std::uint8_t low = 0x80;
  std::uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    codePoint = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    codePoint = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {kReplacement, 1, false};
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (at + i >= bytes.size()) return {kReplacement, i, false};
    const std::uint8_t next = byteAt(at + i);
    if (next < low || next > high) return {kReplacement, i, false};
    codePoint = (codePoint << 6) | (next & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  return {codePoint, length, true};
}

// Reads the code point at `at` of UTF-16 units given by `unitAt`, moving `at` past it. A
// surrogate without its partner has no code point of its own and reads as U+FFFD.
template <typename UnitAt>
char32_t ReadUtf16(UnitAt unitAt, std::size_t count, std::size_t& at) {
  const char32_t unit = unitAt(at++);
  if (IsHighSurrogate(unit) && at < count) {
    const char32_t next = unitAt(at);
    if (IsLowSurrogate(next)) {
      ++at;
      return 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
    }
  }
  // A 32-bit wchar_t can hold values no code point has.
  if (IsHighSurrogate(unit) || IsLowSurrogate(unit) || unit > kLastCodePoint) return kReplacement;
  return unit;
}

// The next code point of the program's text: UTF-16 where wchar_t has 16 bits (Windows), one
// code point per wchar_t where it has 32.
char32_t ReadCodePoint(std::wstring_view text, std::size_t& at) {
  return ReadUtf16([text](std::size_t i) { return static_cast<char32_t>(text[i]); }, text.size(),
                   at);
}

void AppendCodePoint(std::wstring& text, char32_t codePoint) {
  if constexpr (sizeof(wchar_t) == 2) {
    if (codePoint > 0xFFFF) {
      text.push_back(static_cast<wchar_t>(HighSurrogate(codePoint)));
      text.push_back(static_cast<wchar_t>(LowSurrogate(codePoint)));
      return;
    }
  }
  text.push_back(static_cast<wchar_t>(codePoint));
}

void AppendUtf8(std::string& bytes, char32_t codePoint) {
  const auto put = [&bytes](char32_t byte) { bytes.push_back(static_cast<char>(byte)); };
  if (codePoint < 0x80) {
    put(codePoint);
  } else if (codePoint < 0x800) {
    put(0xC0 | (codePoint >> 6));
    put(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    put(0xE0 | (codePoint >> 12));
    put(0x80 | ((codePoint >> 6) & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  } else {
    put(0xF0 | (codePoint >> 18));
    put(0x80 | ((codePoint >> 12) & 0x3F));
    put(0x80 | ((codePoint >> 6) & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  }
}

void AppendUtf16Le(std::string& bytes, char32_t unit) {
  bytes.push_back(static_cast<char>(unit & 0xFF));
  bytes.push_back(static_cast<char>(unit >> 8));
}

std::wstring DecodeUtf8(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
  std::wstring text;
  // Never more units than bytes, whatever the width of wchar_t.
  text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    const Utf8Char c = ReadUtf8(bytes, at);
    AppendCodePoint(text, c.codePoint);
    at += c.length;
  }
  return text;
}

std::wstring DecodeUtf16Le(std::string_view bytes) {
  if (bytes.starts_with(kUtf16LeMark)) bytes.remove_prefix(kUtf16LeMark.size());
  const std::size_t count = bytes.size() / 2;
  const auto unitAt = [bytes](std::size_t i) {
    return static_cast<char32_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                 static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
  };
  std::wstring text;
  text.reserve(count + bytes.size() % 2);
  if constexpr (sizeof(wchar_t) == 2) {
    // The file already holds the program's own form of text; a stray surrogate is kept so
    // that writing the text back gives the same bytes.
    for (std::size_t i = 0; i < count; ++i)
      text.push_back(static_cast<wchar_t>(unitAt(i)));
  } else {
    for (std::size_t at = 0; at < count;)
      AppendCodePoint(text, ReadUtf16(unitAt, count, at));
  }
  if (bytes.size() % 2 != 0) text.push_back(static_cast<wchar_t>(kReplacement));
  return text;
}

std::string EncodeUtf8(std::wstring_view text, bool withMark) {
  std::string bytes;
  // Exact for ASCII, the usual content; other text grows the buffer a few times at most.
  bytes.reserve(kUtf8Mark.size() + text.size());
  if (withMark) bytes.append(kUtf8Mark);
  for (std::size_t at = 0; at < text.size();)
    AppendUtf8(bytes, ReadCodePoint(text, at));
  return bytes;
}

std::string EncodeUtf16Le(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(kUtf16LeMark.size() + 2 * text.size());
  bytes.append(kUtf16LeMark);
  if constexpr (sizeof(wchar_t) == 2) {
    // Written unit for unit, the mirror of reading, so nothing the text holds is lost.
    for (const wchar_t unit : text)
      AppendUtf16Le(bytes, static_cast<char16_t>(unit));
  } else {
    for (std::size_t at = 0; at < text.size();) {
      const char32_t codePoint = ReadCodePoint(text, at);
      if (codePoint > 0xFFFF) {
        AppendUtf16Le(bytes, HighSurrogate(codePoint));
        AppendUtf16Le(bytes, LowSurrogate(codePoint));
      } else {
        AppendUtf16Le(bytes, codePoint);
      }
    }
  }
  return bytes;
}

}  // namespace

FileEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return FileEncoding::Utf8Bom;
  if (bytes.starts_with(kUtf16LeMark)) return FileEncoding::Utf16Le;
  bool beyondAscii = false;
  for (std::size_t at = 0; at < bytes.size();) {
    const Utf8Char c = ReadUtf8(bytes, at);
    // One ill-formed sequence anywhere means the file was never UTF-8.
    if (!c.valid) return FileEncoding::Ansi;
    beyondAscii = beyondAscii || c.codePoint >= 0x80;
    at += c.length;
  }
  // ASCII reads the same in every code page, so it stays with the one files always had.
  return beyondAscii ? FileEncoding::Utf8 : FileEncoding::Ansi;
}

std::wstring DecodeUnicode(std::string_view bytes, FileEncoding encoding) {
  if (encoding == FileEncoding::Ansi) return {};
  return encoding == FileEncoding::Utf16Le ? DecodeUtf16Le(bytes) : DecodeUtf8(bytes);
}

std::string EncodeUnicode(std::wstring_view text, FileEncoding encoding) {
  if (encoding == FileEncoding::Ansi) return {};
  if (encoding == FileEncoding::Utf16Le) return EncodeUtf16Le(text);
  return EncodeUtf8(text, encoding == FileEncoding::Utf8Bom);
}

}  // namespace sendlark
