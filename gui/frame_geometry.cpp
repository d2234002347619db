#include "gui/frame_geometry.h"

#include <QEvent>
#include <algorithm>

namespace kem::gui {

namespace {

// Keeps a window's frame where it was placed while the window system settles its margins, which
// it knows only once the window is shown.
class FrameKeeper : public QObject {
 public:
  FrameKeeper(QWidget* window, const QRect& frame)
      : QObject(window), window_(window), frame_(frame) {
    Apply();
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) Follow();
    return false;
  }

 private:
  void Apply() {
    margins_ = FrameMargins(*window_);
    client_size_ = ClientRectForFrame(frame_, margins_).size();
    window_->move(frame_.topLeft());  // a window's position is its frame's
    window_->resize(client_size_);
  }

  void Follow() {
    if (window_->windowState() != Qt::WindowNoState) return;
    if (FrameMargins(*window_) == margins_) return;
    if (window_->size() != client_size_) {  // the user's size wins
      window_->removeEventFilter(this);
      return;
    }
    Apply();
  }

  QWidget* window_;
  QRect frame_;
  QMargins margins_;
  QSize client_size_;
};

}  // namespace

QRect ClientRectForFrame(const QRect& frame, const QMargins& margins) {
  const QRect client = frame.marginsRemoved(margins);
  return QRect(client.topLeft(), QSize(std::max(0, client.width()), std::max(0, client.height())));
}

QMargins FrameMargins(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect client = window.geometry();
  return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                  frame.right() - client.right(), frame.bottom() - client.bottom());
}

void PlaceFrame(QWidget* window, const QRect& frame) {
  new FrameKeeper(window, frame);
}

}  // namespace kem::gui
