// The status line "ZUSATZ": the number of the editor line that holds the caret.
#pragma once

#include <QFrame>
#include <QPlainTextEdit>
#include <functional>
#include <string>

namespace kem::gui {

class StatusLine : public QFrame {
 public:
  // What the line shows for the caret on a line (0-based).
  using TextOfLine = std::function<std::string(int line_index)>;

  StatusLine(QPlainTextEdit* editor, TextOfLine text_of_line, QWidget* parent);

  QString Text() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPlainTextEdit* editor_;
  TextOfLine text_of_line_;
};

}  // namespace kem::gui
