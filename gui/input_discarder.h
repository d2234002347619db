// Discards what the user types or clicks while it lives, so that input given while the IDE waits
// for something is neither acted on nor replayed afterwards.
#pragma once

#include <QEvent>
#include <QObject>

namespace kem::gui {

// Keys, shortcuts, the mouse, touch, pens, drops: what a user gives the application.
bool IsUserInput(QEvent::Type type);

class InputDiscarder : public QObject {
 public:
  InputDiscarder();  // filters the whole application from now on
  ~InputDiscarder() override;
  InputDiscarder(const InputDiscarder&) = delete;
  InputDiscarder& operator=(const InputDiscarder&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace kem::gui
