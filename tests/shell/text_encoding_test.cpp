#include "shell/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace kem {
namespace {

TEST(TextEncoding, Utf8Validity) {
  struct Case {
    std::string bytes;
    bool valid;
  };
  const std::vector<Case> cases = {
      {"", true},
      {"plain", true},
      {"gr\xC3\xBCn", true},
      {"\xE2\x82\xAC", true},
      {"\xF0\x9F\x98\x80", true},
      {"gr\xFCn", false},           // Windows-1252
      {"\xC3", false},              // cut short
      {"\xC0\xAF", false},          // overlong
      {"\xE0\x80\xAF", false},      // overlong
      {"\xED\xA0\x80", false},      // surrogate
      {"\xF4\x90\x80\x80", false},  // beyond U+10FFFF
      {"\x80", false},              // continuation without lead
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(TextEncoding, EveryWindows1252ByteRoundTrips) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string text = Windows1252ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(text));
  std::string back;
  ASSERT_TRUE(Utf8ToWindows1252(text, back));
  EXPECT_EQ(back, all);
  EXPECT_EQ(Windows1252ToUtf8("\x80\xE4\x9F"), "\xE2\x82\xAC\xC3\xA4\xC5\xB8");
}

TEST(TextEncoding, DecodeLineEndsAndEncoding) {
  struct Case {
    std::string bytes;
    std::string text;
    TextEncoding encoding;
    LineEnd line_end;
  };
  const std::vector<Case> cases = {
      {"a\nb", "a\nb", TextEncoding::kUtf8, LineEnd::kLf},
      {"a\r\nb\r\n", "a\nb\n", TextEncoding::kUtf8, LineEnd::kCrLf},
      {"a\nb\r\n", "a\nb\n", TextEncoding::kUtf8, LineEnd::kLf},  // the first line end counts
      {"a\rb", "a\nb", TextEncoding::kUtf8, LineEnd::kLf},
      {"\r\n", "\n", TextEncoding::kUtf8, LineEnd::kCrLf},
      {"\xE4\r\n", "\xC3\xA4\n", TextEncoding::kWindows1252, LineEnd::kCrLf},
      {std::string("a\0b", 3), "a", TextEncoding::kUtf8, LineEnd::kLf},
  };
  for (const Case& c : cases) {
    const DecodedText decoded = DecodeText(c.bytes);
    EXPECT_EQ(decoded.text, c.text);
    EXPECT_EQ(decoded.format.encoding, c.encoding);
    EXPECT_EQ(decoded.format.line_end, c.line_end);
  }
}

TEST(TextEncoding, EncodeFollowsTheFormat) {
  TextFormat crlf{TextEncoding::kWindows1252, LineEnd::kCrLf};
  EXPECT_EQ(EncodeText("\xC3\xA4\nb\n", crlf), "\xE4\r\nb\r\n");
  TextFormat lf{TextEncoding::kUtf8, LineEnd::kLf};
  EXPECT_EQ(EncodeText("\xC3\xA4\n", lf), "\xC3\xA4\n");
  TextFormat fallback{TextEncoding::kWindows1252, LineEnd::kLf};
  EXPECT_EQ(EncodeText("\xE2\x86\x92", fallback), "\xE2\x86\x92");
  EXPECT_EQ(fallback.encoding, TextEncoding::kUtf8);
}

}  // namespace
}  // namespace kem
