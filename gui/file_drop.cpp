#include "gui/file_drop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <optional>

#include "shell/recent_files.h"

namespace kem::gui {

namespace {

bool HasLocalFiles(const QMimeData* data) {
  if (!data || !data->hasUrls()) return false;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return true;
  }
  return false;
}

// The first local design among the dragged files.
std::optional<std::string> DroppedDesign(const QMimeData* data) {
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    std::string name = QFile::encodeName(url.toLocalFile()).toStdString();
    if (IsDesignFileName(name)) return name;
  }
  return std::nullopt;
}

}  // namespace

FileDrop::FileDrop(QObject* parent, std::function<void(const std::string&)> open)
    : QObject(parent), open_(std::move(open)) {}

void FileDrop::Watch(QWidget* widget) {
  widget->setAcceptDrops(true);
  widget->installEventFilter(this);
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
    return QObject::eventFilter(watched, event);
  auto* drop = static_cast<QDropEvent*>(event);
  // Dragged text and links are the editor's business; dragged files are ours.
  if (!HasLocalFiles(drop->mimeData())) return QObject::eventFilter(watched, event);
  const std::optional<std::string> design = DroppedDesign(drop->mimeData());
  if (!design) {
    drop->ignore();
    return true;
  }
  drop->acceptProposedAction();
  if (type == QEvent::Drop) {
    // The question whether to save first must not run inside the drag of another program.
    QTimer::singleShot(0, this, [this, name = *design] { open_(name); });
  }
  return true;
}

}  // namespace kem::gui
