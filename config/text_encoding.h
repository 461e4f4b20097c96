// How the bytes of the program's text files hold their text, and the Unicode side of turning
// those bytes into text and back. The ANSI code page stays with the platform, which knows it.
#pragma once

#include <string>
#include <string_view>

namespace sendlark {

enum class FileEncoding {
  Ansi,     // the system's ANSI code page (Shift-JIS on a Japanese system)
  Utf8,     // UTF-8 without a byte-order mark
  Utf8Bom,  // UTF-8 after the mark EF BB BF
  Utf16Le,  // UTF-16 little endian after the mark FF FE
};

// A file that starts with a mark is in that mark's encoding. One without a mark is UTF-8 when
// it is strictly valid UTF-8 and holds at least one byte above 0x7F; anything else, empty and
// pure ASCII files included, is left to the ANSI code page, as files always were.
FileEncoding DetectEncoding(std::string_view bytes);

// The text held by `bytes` in a Unicode encoding, without the mark. Each ill-formed UTF-8
// sequence, and an odd last byte of UTF-16, becomes U+FFFD. Ansi gives an empty text: the
// platform converts that code page.
std::wstring DecodeUnicode(std::string_view bytes, FileEncoding encoding);

// The bytes of `text` in a Unicode encoding, the mark first where the encoding has one. Ansi
// gives no bytes. Line ends are written as the text has them.
std::string EncodeUnicode(std::wstring_view text, FileEncoding encoding);

}  // namespace sendlark
