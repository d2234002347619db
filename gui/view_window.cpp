#include "gui/view_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QVBoxLayout>

#include "gui/frame_geometry.h"
#include "gui/message_boxes.h"
#include "shell/menu_table.h"

namespace kem::gui {

namespace {

constexpr int kViewWidth = 500;
constexpr int kViewHeight = 300;

}  // namespace

QPoint ViewCascade::Next() {
  const int offset = (opened_++ % kSteps) * kStep;
  return {offset, offset};
}

void SetUpEditor(QPlainTextEdit* editor) {
  editor->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setFrameShape(QFrame::NoFrame);
}

ViewWindow::ViewWindow(int kind, const QString& caption, const QString& text, const QFont& font,
                       QPoint origin)
    : kind_(kind), editor_(new QPlainTextEdit(this)) {
  setObjectName(FromUtf8(window_names::kViewWindow));
  setWindowTitle(caption);
  setAttribute(Qt::WA_DeleteOnClose);
  editor_->setObjectName(QStringLiteral("%1_%2")
                             .arg(FromUtf8(window_names::kEditor))
                             .arg(window_names::kViewEditorId));
  SetUpEditor(editor_);
  editor_->setFont(font);
  editor_->setPlainText(text);
  editor_->installEventFilter(this);
  editor_->viewport()->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(editor_);
  PlaceFrame(this, QRect(origin, QSize(kViewWidth, kViewHeight)));
}

bool ViewWindow::eventFilter(QObject* watched, QEvent* event) {
  if (!line_handler_) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::MouseButtonDblClick && watched == editor_->viewport()) {
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    if (line_handler_(editor_->cursorForPosition(at).block().text())) return true;
  }
  if (event->type() == QEvent::KeyPress && watched == editor_) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
        line_handler_(editor_->textCursor().block().text()))
      return true;
  }
  return QWidget::eventFilter(watched, event);
}

void ViewWindow::closeEvent(QCloseEvent* event) {
  emit closed(kind_);
  QWidget::closeEvent(event);
}

}  // namespace kem::gui
