// The About dialog: program name, version and the devices it supports. Any button closes it.
#pragma once

#include <QDialog>

namespace kem::gui {

class AboutDialog : public QDialog {
 public:
  explicit AboutDialog(QWidget* parent);
};

}  // namespace kem::gui
