#include "config/text_encoding.h"

#include <gtest/gtest.h>

#include "tests/fake/fake_platform.h"

namespace sendlark::testing {
namespace {

using namespace std::string_literals;
constexpr auto kAnsi = FileEncoding::Ansi, kUtf8 = FileEncoding::Utf8,
               kUtf8Bom = FileEncoding::Utf8Bom, kUtf16Le = FileEncoding::Utf16Le;

struct DetectCase {
  const char* name;
  std::string bytes;
  FileEncoding expected;
};

class DetectEncodingTest : public ::testing::TestWithParam<DetectCase> {};

TEST_P(DetectEncodingTest, NamesTheEncoding) {
  EXPECT_EQ(DetectEncoding(GetParam().bytes), GetParam().expected);
}

// "\x61" is "a", spelt so where it follows a byte written in hex.
const DetectCase kDetectCases[] = {
    {"Empty", "", kAnsi},
    {"Ascii", "a=b;\r\n\x7F", kAnsi},
    {"Utf8", "caf\xC3\xA9", kUtf8},
    {"Utf8MarkWinsOverBadBytes", "\xEF\xBB\xBF\xFF", kUtf8Bom},
    {"Utf16Mark", "\xFF\xFE\x61\0"s, kUtf16Le},
    // The first and last code points of each length, around the surrogates.
    {"Boundaries", "\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF", kUtf8},
    {"FourByteBoundaries", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", kUtf8},
    {"OverlongC0", "\xC0\xAF", kAnsi},
    {"OverlongC1", "\xC1\xBF", kAnsi},
    {"OverlongE0", "\xE0\x9F\xBF", kAnsi},
    {"OverlongF0", "\xF0\x8F\xBF\xBF", kAnsi},
    {"Surrogate", "\xED\xA0\x80", kAnsi},
    {"AboveF4", "\xF4\x90\x80\x80", kAnsi},
    {"F5", "\xF5\x80\x80\x80", kAnsi},
    {"TruncatedAtEnd", "caf\xC3", kAnsi},
    {"TruncatedBeforeAscii", "\xE3\x81\x61", kAnsi},
    {"StrayContinuation", "\xC3\xA9\x80", kAnsi}};

INSTANTIATE_TEST_SUITE_P(Bytes, DetectEncodingTest, ::testing::ValuesIn(kDetectCases),
                         [](const auto& info) { return info.param.name; });

// Shift-JIS kana and kanji bytes (A1..DF, and lead bytes 81..9F with trail bytes as low as
// 0x40, 0x5C among them) break UTF-8's pattern within a character or two, so real lines stay
// ANSI. Only a lone pair such as "ﾃｽ" (C3 BD) happens to be UTF-8 and is taken for it.
TEST(DetectEncoding, LeavesShiftJisToTheCodePage) {
  for (const wchar_t* text : {L"ｱｲｳｴｵ", L"ﾃｽﾄ", L"ｻﾝﾌﾟﾙ", L"表", L"ソ", L"能",
                              L"Config テスト 表示.txt", L":AppliactionName=無題 - メモ帳;"})
    EXPECT_EQ(DetectEncoding(Encode(text, "CP932")), kAnsi) << Utf8(text);
  EXPECT_EQ(DetectEncoding(Encode(L"ﾃｽ", "CP932")), kUtf8);
}

struct DecodeCase {
  const char* name;
  std::string bytes;
  FileEncoding encoding;
  std::wstring expected;
};

class DecodeUnicodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeUnicodeTest, GivesTheText) {
  const DecodeCase& c = GetParam();
  EXPECT_EQ(Utf8(DecodeUnicode(c.bytes, c.encoding)), Utf8(c.expected));
}

// Native tests run with a 32-bit wchar_t: one code point per character.
const DecodeCase kDecodeCases[] = {
    {"Emoji", "\xF0\x9F\x99\x82", kUtf8, L"🙂"},
    {"MarkStripped", "\xEF\xBB\xBFrésumé Ωmega 🙂", kUtf8Bom, L"résumé Ωmega 🙂"},
    {"Japanese", "無題 - メモ帳\r\n", kUtf8, L"無題 - メモ帳\r\n"},
    {"TruncatedIsOneBadSequence", "\xE3\x81\x61\xF0\x9F\x99", kUtf8Bom, L"\xFFFD\x61\xFFFD"},
    {"EachBadByteAlone", "\xC0\xAF\xED\xA0\x80\xF5", kUtf8Bom, std::wstring(6, L'\xFFFD')},
    {"Utf16MarkStripped", "\xFF\xFE\x61\0\x42\x30"s, kUtf16Le, L"aあ"},
    {"Utf16Pair", "\xFF\xFE\x3D\xD8\x42\xDE"s, kUtf16Le, L"🙂"},
    {"Utf16LoneSurrogates", "\xFF\xFE\x42\xDE\x3D\xD8\x61\0"s, kUtf16Le, L"\xFFFD\xFFFD\x61"},
    {"Utf16OddLastByte", "\xFF\xFE\x61\0\x62"s, kUtf16Le, L"a\xFFFD"}};

INSTANTIATE_TEST_SUITE_P(Bytes, DecodeUnicodeTest, ::testing::ValuesIn(kDecodeCases),
                         [](const auto& info) { return info.param.name; });

TEST(EncodeUnicode, WritesMarksPairsAndReplacements) {
  EXPECT_EQ(EncodeUnicode(L"é🙂", kUtf8), "\xC3\xA9\xF0\x9F\x99\x82");
  EXPECT_EQ(EncodeUnicode(L"", kUtf8Bom), "\xEF\xBB\xBF");
  EXPECT_EQ(EncodeUnicode(L"a\xD800\x62", kUtf8), "a\xEF\xBF\xBD\x62");
  EXPECT_EQ(EncodeUnicode(L"a🙂", kUtf16Le), "\xFF\xFE\x61\0\x3D\xD8\x42\xDE"s);
}

// Every length of UTF-8 and both ends of each range of code points come back whole.
TEST(EncodeUnicode, RoundTripsThroughDetectAndDecode) {
  for (const std::wstring text : {L"résumé Ωmega 🙂\r\n無題 - メモ帳",
                                  L"\x80\x7FF\x800\xD7FF", L"\xE000\xFFFF\U00010000\U0010FFFF"})
    for (const FileEncoding encoding : {kUtf8, kUtf8Bom, kUtf16Le}) {
      const std::string bytes = EncodeUnicode(text, encoding);
      EXPECT_EQ(DetectEncoding(bytes), encoding) << Utf8(text);
      EXPECT_EQ(DecodeUnicode(bytes, encoding), text) << Utf8(text);
    }
}

}  // namespace
}  // namespace sendlark::testing
