// Syntax highlighting of the editor: keywords, operators, comments, numbers and the declared pin
// names, coloured line by line from the window-free spans. The pin names are read again a moment
// after the typing stops, not at every key, so a long design stays quick to edit.
#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QTimer>
#include <array>
#include <string_view>

#include "shell/syntax_spans.h"

namespace kem::gui {

class Highlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit Highlighter(QTextDocument* document);

  // Takes the pin names of `text` at once, for a text about to replace the document's.
  void ReadPinNames(std::string_view text);
  const PinNames& pin_names() const { return pins_; }

 protected:
  void highlightBlock(const QString& text) override;

 private:
  void PinListTimeout();

  std::array<QTextCharFormat, 5> formats_;  // by SpanKind
  PinNames pins_;
  QTimer timer_;
};

}  // namespace kem::gui
