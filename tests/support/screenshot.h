// Pictures of windows as the tests left them, for people to look at: each is written to the
// build's screenshots folder under a fixed name, replacing the one of the previous run.
#pragma once

#include <QDir>
#include <QPixmap>
#include <QString>
#include <QWidget>

#ifndef KEM_SCREENSHOT_DIR
#error "KEM_SCREENSHOT_DIR must name the folder the pictures go to"
#endif

namespace kem::test {

// Paints `widget` with its children as it is now and writes NAME.png; returns the file's path,
// or an empty string when it could not be written.
inline QString SaveScreenshot(QWidget* widget, const QString& name) {
  const QString folder = QStringLiteral(KEM_SCREENSHOT_DIR);
  if (!QDir().mkpath(folder)) return {};
  const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
  return widget->grab().save(path, "PNG") ? path : QString();
}

}  // namespace kem::test
