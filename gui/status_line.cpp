#include "gui/status_line.h"

#include <QApplication>
#include <QPainter>
#include <utility>

#include "gui/message_boxes.h"
#include "shell/menu_table.h"

namespace kem::gui {

namespace {

constexpr int kTextX = 3;

}  // namespace

StatusLine::StatusLine(QPlainTextEdit* editor, TextOfLine text_of_line, QWidget* parent)
    : QFrame(parent), editor_(editor), text_of_line_(std::move(text_of_line)) {
  setObjectName(QStringLiteral("%1_%2")
                    .arg(FromUtf8(window_names::kStatusLine))
                    .arg(window_names::kStatusLineId));
  setFrameShape(QFrame::Box);
  setLineWidth(1);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(192, 192, 192));
  palette.setColor(QPalette::WindowText, Qt::black);
  setPalette(palette);
}

QString StatusLine::Text() const {
  return FromUtf8(text_of_line_(editor_->textCursor().blockNumber()));
}

void StatusLine::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  // The platform's default font, not the editor's, over the gray background.
  QPainter painter(this);
  painter.setFont(QApplication::font());
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect().adjusted(kTextX, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, Text());
}

}  // namespace kem::gui
