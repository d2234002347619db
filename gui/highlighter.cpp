#include "gui/highlighter.h"

#include <QTextDocument>

namespace kem::gui {

namespace {

// Quiet time after an edit before the pin list is read again.
constexpr int kPinListDelayMs = 400;
constexpr int kInsideComment = 1;

QTextCharFormat Format(const QColor& colour, bool bold = false, bool italic = false) {
  QTextCharFormat format;
  format.setForeground(colour);
  if (bold) format.setFontWeight(QFont::Bold);
  format.setFontItalic(italic);
  return format;
}

}  // namespace

Highlighter::Highlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
  formats_[static_cast<int>(SpanKind::kKeyword)] = Format(QColor(0x1f, 0x3a, 0x93), true);
  formats_[static_cast<int>(SpanKind::kOperator)] = Format(QColor(0x9a, 0x3b, 0x12));
  formats_[static_cast<int>(SpanKind::kComment)] = Format(QColor(0x4e, 0x7a, 0x4e), false, true);
  formats_[static_cast<int>(SpanKind::kNumber)] = Format(QColor(0x7a, 0x3e, 0x9d));
  formats_[static_cast<int>(SpanKind::kPinName)] = Format(QColor(0x00, 0x6b, 0x6b));
  timer_.setSingleShot(true);
  timer_.setInterval(kPinListDelayMs);
  connect(&timer_, &QTimer::timeout, this, &Highlighter::PinListTimeout);
  // Formats set by the highlighting itself change no characters and restart nothing.
  connect(document, &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
    if (removed > 0 || added > 0) timer_.start();
  });
  ReadPinNames(document->toPlainText().toStdString());
}

void Highlighter::ReadPinNames(std::string_view text) {
  pins_ = DeclaredPinNames(text);
}

void Highlighter::PinListTimeout() {
  if (!document()) return;
  PinNames pins = DeclaredPinNames(document()->toPlainText().toStdString());
  if (pins == pins_) return;
  pins_ = std::move(pins);
  rehighlight();
}

void Highlighter::highlightBlock(const QString& text) {
  const std::u16string_view line(QStringView(text).utf16(), static_cast<std::size_t>(text.size()));
  const LineSpans spans = HighlightLine(line, previousBlockState() == kInsideComment, pins_);
  // Blanks next to an operator take its colour: nothing of them shows, and fewer runs of one
  // format make a line quicker to lay out and paint.
  const auto blank = [&text](int i) {
    return text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t');
  };
  int painted = 0;
  for (std::size_t k = 0; k < spans.spans.size(); ++k) {
    const Span& span = spans.spans[k];
    int start = span.start;
    int end = span.start + span.length;
    if (span.kind == SpanKind::kOperator) {
      while (start > painted && blank(start - 1)) --start;
      const int limit =
          k + 1 < spans.spans.size() ? spans.spans[k + 1].start : static_cast<int>(text.size());
      while (end < limit && blank(end)) ++end;
    }
    setFormat(start, end - start, formats_[static_cast<int>(span.kind)]);
    painted = end;
  }
  setCurrentBlockState(spans.ends_in_comment ? kInsideComment : 0);
}

}  // namespace kem::gui
