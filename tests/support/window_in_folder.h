// The IDE's main window as the GUI tests start it: in a temporary folder of the test's own, where
// it reads and writes kem.ini and where the test puts its designs.
#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "gui/main_window.h"

#ifndef EXAMPLES_DIR
#error "EXAMPLES_DIR must name the folder of the example designs"
#endif

namespace kem::test {

// Opens a new main window on `folder` and waits until it shows; false when it does not.
inline bool ShowMainWindowIn(const QTemporaryDir& folder,
                             std::unique_ptr<gui::MainWindow>& window) {
  window = std::make_unique<gui::MainWindow>(folder.path());
  window->show();
  return QTest::qWaitForWindowExposed(window.get());
}

// Copies the example `name` into `folder` and returns its path there.
inline QString CopyExample(const QTemporaryDir& folder, const QString& name) {
  const QString target = folder.filePath(name);
  QFile::copy(QStringLiteral(EXAMPLES_DIR "/") + name, target);
  return target;
}

}  // namespace kem::test
