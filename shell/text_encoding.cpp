#include "shell/text_encoding.h"

#include <array>
#include <cstdint>

namespace kem {

namespace {

// Code points of the bytes 0x80..0x9F; the rest of Windows-1252 equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The length of the well-formed UTF-8 sequence at `pos`, or 0 (overlong forms, surrogates and
// code points beyond U+10FFFF are not well-formed).
std::size_t SequenceLength(std::string_view s, std::size_t pos, char32_t* code_point) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
  const std::uint8_t lead = byte(pos);
  std::size_t length = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    if (code_point) *code_point = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (pos + length > s.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const std::uint8_t next = byte(pos + i);
    if ((next & 0xC0) != 0x80) return 0;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  if (code_point) *code_point = c;
  return length;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = SequenceLength(bytes, pos, nullptr);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 8);
  for (char b : bytes) {
    const auto byte = static_cast<std::uint8_t>(b);
    AppendUtf8(text, byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte);
  }
  return text;
}

bool Utf8ToWindows1252(std::string_view text, std::string& bytes) {
  bytes.clear();
  bytes.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t c = 0;
    const std::size_t length = SequenceLength(text, pos, &c);
    if (length == 0) return false;
    pos += length;
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      bytes += static_cast<char>(c);
      continue;
    }
    std::size_t i = 0;
    while (i < kHighControls.size() && kHighControls[i] != c) ++i;
    if (i == kHighControls.size()) return false;
    bytes += static_cast<char>(0x80 + i);
  }
  return true;
}

DecodedText DecodeText(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  DecodedText decoded;
  const std::size_t first_end = bytes.find('\n');
  if (first_end != std::string_view::npos && first_end > 0 && bytes[first_end - 1] == '\r')
    decoded.format.line_end = LineEnd::kCrLf;

  std::string lf;
  lf.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r') {
      lf += bytes[i];
    } else if (i + 1 >= bytes.size() || bytes[i + 1] != '\n') {
      lf += '\n';  // a lone "\r" breaks the line in the editor as well
    }
  }
  if (IsValidUtf8(lf)) {
    decoded.text = std::move(lf);
  } else {
    decoded.format.encoding = TextEncoding::kWindows1252;
    decoded.text = Windows1252ToUtf8(lf);
  }
  return decoded;
}

std::string EncodeText(std::string_view text, TextFormat& format) {
  std::string bytes;
  if (format.encoding == TextEncoding::kWindows1252 && !Utf8ToWindows1252(text, bytes))
    format.encoding = TextEncoding::kUtf8;
  if (format.encoding == TextEncoding::kUtf8) bytes.assign(text);
  if (format.line_end == LineEnd::kLf) return bytes;

  std::string crlf;
  crlf.reserve(bytes.size() + bytes.size() / 16);
  for (char c : bytes) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

}  // namespace kem
