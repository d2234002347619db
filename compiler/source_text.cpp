#include "compiler/source_text.h"

namespace kem {

namespace {

// In place, so that a large source is held once.
void DropCarriageReturnsBeforeLineEnds(std::string& text) {
  // Nothing moves before the first CR.
  std::size_t kept = text.find('\r');
  if (kept == std::string::npos) return;
  for (std::size_t i = kept; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    text[kept++] = text[i];
  }
  text.resize(kept);
}

}  // namespace

ReadResult SourceText::Load(const std::string& path, std::size_t limit) {
  std::string bytes;
  const ReadResult result = ReadRegularFile(path, bytes, limit);
  if (result == ReadResult::kRead) Assign(std::move(bytes));
  return result;
}

void SourceText::Assign(std::string&& text) {
  text_ = std::move(text);
  DropCarriageReturnsBeforeLineEnds(text_);
  position_ = 0;
  line_ = 1;
}

bool SourceText::OnlyZerosAhead() const {
  return text_.find_first_not_of('\0', position_) == std::string::npos;
}

void SourceText::ReturnTo(const Mark& mark) {
  position_ = mark.position;
  line_ = mark.line;
}

}  // namespace kem
