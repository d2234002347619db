// The design source as the scanner reads it: bytes, one character at a time, with one character
// of push-back and marks to return to. A CR directly before a LF is dropped when the file is read,
// so Windows and Unix files read alike. The line counter always equals 1 + the number of line
// ends before the read position, so a line end read again after a push-back is counted once.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/file_io.h"

namespace kem {

inline constexpr int kEndOfInput = -1;

class SourceText {
 public:
  struct Mark {
    std::size_t position = 0;
    int line = 1;
  };

  SourceText() = default;
  explicit SourceText(std::string_view text) { Assign(text); }

  // Reads a whole file of at most `limit` bytes; kCannotOpen when it cannot be opened or read
  // (missing, no permission, a folder, a device, a FIFO).
  ReadResult Load(const std::string& path, std::size_t limit);
  void Assign(std::string_view text) { Assign(std::string(text)); }
  void Assign(std::string&& text);

  // The next byte as 0..255, or kEndOfInput.
  int Get() {
    if (position_ >= text_.size()) return kEndOfInput;
    const unsigned char c = static_cast<unsigned char>(text_[position_++]);
    if (c == '\n') ++line_;
    return c;
  }
  // Pushes back the character just read; kEndOfInput is ignored.
  void Unget(int c) {
    if (c == kEndOfInput || position_ == 0) return;
    --position_;
    if (text_[position_] == '\n') --line_;
  }
  // The next byte without reading it, or kEndOfInput.
  int Next() const {
    return position_ < text_.size() ? static_cast<unsigned char>(text_[position_]) : kEndOfInput;
  }
  int Peek() {
    const int c = Get();
    Unget(c);
    return c;
  }

  Mark MarkPosition() const { return {position_, line_}; }
  void ReturnTo(const Mark& mark);

  int line() const { return line_; }
  bool at_end() const { return position_ >= text_.size(); }
  std::size_t size() const { return text_.size(); }

  // True when nothing but zero bytes lies ahead: the padding an older save left behind the text.
  bool OnlyZerosAhead() const;
  // The text ends at the read position; what lies behind it is never read.
  void EndHere() { text_.resize(position_); }

 private:
  std::string text_;
  std::size_t position_ = 0;
  int line_ = 1;
};

}  // namespace kem
