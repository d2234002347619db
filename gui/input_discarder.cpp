#include "gui/input_discarder.h"

#include <QCoreApplication>

namespace kem::gui {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::NativeGesture:
    case QEvent::Gesture:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

InputDiscarder::InputDiscarder() {
  QCoreApplication::instance()->installEventFilter(this);
}

InputDiscarder::~InputDiscarder() {
  QCoreApplication::instance()->removeEventFilter(this);
}

// A close box clicked meanwhile is input too; a close the program asks for itself is not.
bool InputDiscarder::eventFilter(QObject*, QEvent* event) {
  return IsUserInput(event->type()) || (event->type() == QEvent::Close && event->spontaneous());
}

}  // namespace kem::gui
