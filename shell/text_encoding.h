// How a document's bytes become the editor's text and back. The editor works in UTF-8 with "\n"
// line ends; a file keeps the encoding (UTF-8 when it is valid UTF-8, else Windows-1252) and the
// line ends it was read with, so opening and saving never changes a byte of a design.
#pragma once

#include <string>
#include <string_view>

namespace kem {

enum class TextEncoding { kUtf8, kWindows1252 };
enum class LineEnd { kLf, kCrLf };

struct TextFormat {
  TextEncoding encoding = TextEncoding::kUtf8;
  LineEnd line_end = LineEnd::kLf;
};

struct DecodedText {
  std::string text;  // UTF-8, "\n" line ends, no zero byte
  TextFormat format;
};

bool IsValidUtf8(std::string_view bytes);

// Every byte 0x00..0xFF has a character, the five bytes Windows-1252 leaves undefined their C1
// control character, so any byte sequence decodes and encodes back unchanged.
std::string Windows1252ToUtf8(std::string_view bytes);

// False when `text` holds a character Windows-1252 has no byte for; `bytes` is then incomplete.
bool Utf8ToWindows1252(std::string_view text, std::string& bytes);

// The text of a file's bytes: they end at the first zero byte; the line ends are those of the
// first line end ("\r\n" or "\n"), and every "\r\n" and lone "\r" becomes "\n".
DecodedText DecodeText(std::string_view bytes);

// The bytes of `text` in `format`. A text that Windows-1252 cannot hold is written as UTF-8
// instead, and `format` says so afterwards: no character typed by the user is lost.
std::string EncodeText(std::string_view text, TextFormat& format);

}  // namespace kem
