#include "gui/view_window.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "gui/frame_geometry.h"
#include "gui/message_boxes.h"
#include "shell/menu_table.h"

namespace kem::gui {

namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 300;

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

ViewWindow::ViewWindow(int kind, const QString& caption, const QString& text, const QFont& font)
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
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(editor_);
  PlaceFrame(this, QRect(0, 0, kWidth, kHeight));
}

void ViewWindow::closeEvent(QCloseEvent* event) {
  emit closed(kind_);
  QWidget::closeEvent(event);
}

}  // namespace kem::gui
