// Files dragged onto the main window: a design is taken and opened, any other file is refused,
// so the editor never pastes a dropped file's address as text.
#pragma once

#include <QObject>
#include <functional>
#include <string>

namespace kem::gui {

class FileDrop : public QObject {
 public:
  // `open` hears the local name of a dropped design, after the drop has ended.
  FileDrop(QObject* parent, std::function<void(const std::string&)> open);

  // Watches `widget` (the window and the editor's viewport) for drags of files.
  void Watch(QWidget* widget);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(const std::string&)> open_;
};

}  // namespace kem::gui
