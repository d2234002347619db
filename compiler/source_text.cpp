#include "compiler/source_text.h"

#include "common/file_io.h"

namespace kem {

namespace {

std::string DropCarriageReturnsBeforeLineEnds(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    result += text[i];
  }
  return result;
}

}  // namespace

bool SourceText::Load(const std::string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  Assign(bytes);
  return true;
}

void SourceText::Assign(std::string_view text) {
  text_ = DropCarriageReturnsBeforeLineEnds(text);
  position_ = 0;
  line_ = 1;
}

int SourceText::Get() {
  if (position_ >= text_.size()) return kEndOfInput;
  const unsigned char c = static_cast<unsigned char>(text_[position_++]);
  if (c == '\n') ++line_;
  return c;
}

void SourceText::Unget(int c) {
  if (c == kEndOfInput || position_ == 0) return;
  --position_;
  if (text_[position_] == '\n') --line_;
}

int SourceText::Peek() {
  const int c = Get();
  Unget(c);
  return c;
}

bool SourceText::OnlyZerosAhead() const {
  return text_.find_first_not_of('\0', position_) == std::string::npos;
}

void SourceText::ReturnTo(const Mark& mark) {
  position_ = mark.position;
  line_ = mark.line;
}

}  // namespace kem
