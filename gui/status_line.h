// The status line "ZUSATZ": the number of the editor line that holds the caret.
#pragma once

#include <QFrame>
#include <QPlainTextEdit>

namespace kem::gui {

class StatusLine : public QFrame {
 public:
  StatusLine(QPlainTextEdit* editor, QWidget* parent);

  QString Text() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPlainTextEdit* editor_;
};

}  // namespace kem::gui
