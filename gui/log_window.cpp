#include "gui/log_window.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/frame_geometry.h"
#include "gui/message_boxes.h"
#include "shell/menu_table.h"
#include "shell/shell_messages.h"

namespace kem::gui {

namespace {

constexpr int kX = 0;
constexpr int kY = 400;
constexpr int kLogWidth = 600;
constexpr int kLogHeight = 80;

// How long lines wait before they are shown: at least long enough to gather many of them, and
// some times as long as showing the last batch took, so that laying out a very long list cannot
// take the user-interface thread's whole time; never so long that the log seems to stand still.
constexpr int kMinDelayMs = 20;
constexpr int kMaxDelayMs = 250;
constexpr int kDelayPerShowingCost = 4;

}  // namespace

LogWindow::LogWindow(const QFont& font)
    : list_(new QListWidget(this)),
      delegate_(new LogLineDelegate(font, list_)),
      delay_ms_(kMinDelayMs) {
  setObjectName(FromUtf8(window_names::kLogWindow));
  setWindowTitle(FromUtf8(shell_messages::kLogCaption));
  setAttribute(Qt::WA_DeleteOnClose);
  list_->setObjectName(QStringLiteral("listbox"));
  list_->setSortingEnabled(false);
  list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  list_->setFont(font);
  // Every row has the size of the widest line, so the list need not measure them one by one.
  list_->setUniformItemSizes(true);
  list_->setItemDelegate(delegate_);
  showing_.setSingleShot(true);
  connect(&showing_, &QTimer::timeout, this, &LogWindow::ShowPendingLines);
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { emit lineActivated(item->text()); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_);
  setAttribute(Qt::WA_ShowWithoutActivating);  // the keyboard stays with the editor
  PlaceFrame(this, QRect(kX, kY, kLogWidth, kLogHeight));
}

void LogWindow::SetListFont(const QFont& font) {
  list_->setFont(font);
  delegate_->Restart(font, Lines());
}

void LogWindow::RemoveLastLine() {
  pending_.RemoveLast();
  ShowSoon();
}

void LogWindow::AppendLine(std::string_view text) {
  pending_.Append(text);
  ShowSoon();
}

void LogWindow::ShowSoon() {
  if (!showing_.isActive()) showing_.start(delay_ms_);
}

void LogWindow::ShowPendingLines() {
  showing_.stop();
  if (pending_.empty()) return;
  QElapsedTimer cost;
  cost.start();
  const PendingLogLines::Changes changes = pending_.Take();
  // A line in place of a shown one (the marker's next phase) rewrites that row; the rest are
  // added in one insertion, so the list lays itself out once.
  int row = static_cast<int>(changes.keep);
  QStringList added;
  for (const std::string& line : changes.added) {
    const QString text = FromUtf8(line);
    delegate_->NoteLine(text);
    if (row < list_->count()) {
      list_->item(row)->setText(text);
    } else {
      added << text;
    }
    ++row;
  }
  if (!added.isEmpty()) list_->addItems(added);
  for (std::size_t i = 0; i < changes.removed; ++i) delete list_->takeItem(list_->count() - 1);
  if (list_->count() > 0) {
    list_->setCurrentRow(list_->count() - 1);
    list_->scrollToItem(list_->currentItem());  // also when the rewritten row was current
  }
  delay_ms_ =
      std::clamp(static_cast<int>(cost.elapsed()) * kDelayPerShowingCost, kMinDelayMs, kMaxDelayMs);
}

QStringList LogWindow::Lines() {
  ShowPendingLines();
  QStringList lines;
  lines.reserve(list_->count());
  for (int i = 0; i < list_->count(); ++i) lines << list_->item(i)->text();
  return lines;
}

void LogWindow::closeEvent(QCloseEvent* event) {
  emit closed();
  QWidget::closeEvent(event);
}

}  // namespace kem::gui
