#include "gui/log_window.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "gui/message_boxes.h"
#include "shell/menu_table.h"
#include "shell/shell_messages.h"

namespace kem::gui {

namespace {

constexpr int kX = 0;
constexpr int kY = 400;
constexpr int kWidth = 600;
constexpr int kHeight = 80;

}  // namespace

LogWindow::LogWindow(const QFont& font) : list_(new QListWidget(this)) {
  setObjectName(FromUtf8(window_names::kLogWindow));
  setWindowTitle(FromUtf8(shell_messages::kLogCaption));
  setAttribute(Qt::WA_DeleteOnClose);
  list_->setObjectName(QStringLiteral("listbox"));
  list_->setSortingEnabled(false);
  list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  list_->setFont(font);
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { emit lineActivated(item->text()); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_);
  move(kX, kY);  // the frame's position, as the platform places windows
  resize(kWidth, kHeight);
}

void LogWindow::RemoveLastLine() {
  if (list_->count() > 0) delete list_->takeItem(list_->count() - 1);
}

void LogWindow::AppendLine(std::string_view text) {
  list_->addItem(FromUtf8(text));
  list_->setCurrentRow(list_->count() - 1);
}

QStringList LogWindow::Lines() const {
  QStringList lines;
  for (int i = 0; i < list_->count(); ++i) lines << list_->item(i)->text();
  return lines;
}

void LogWindow::closeEvent(QCloseEvent* event) {
  emit closed();
  QWidget::closeEvent(event);
}

}  // namespace kem::gui
