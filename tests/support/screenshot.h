// Pictures of windows as the tests left them, for people to look at: each is written to the
// build's screenshots folder under a fixed name, replacing the one of the previous run.
#pragma once

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
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

// The same with a caption bar above the window, since the offscreen platform draws no window
// frames: the window's title in bold, as title bars commonly show it, so the picture shows
// whether the window is wide enough for it.
inline QString SaveScreenshotWithCaption(QWidget* window, const QString& name) {
  const QString folder = QStringLiteral(KEM_SCREENSHOT_DIR);
  if (!QDir().mkpath(folder)) return {};
  const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
  const QPixmap content = window->grab();
  QFont bold = window->font();
  bold.setBold(true);
  const int bar = QFontMetrics(bold).height() + 8;
  QImage image(content.width(), content.height() + bar, QImage::Format_RGB32);
  image.fill(QColor(0, 84, 147));
  QPainter painter(&image);
  painter.setPen(Qt::white);
  painter.setFont(bold);
  painter.drawText(QRect(6, 0, content.width() - 6, bar), Qt::AlignVCenter, window->windowTitle());
  painter.drawPixmap(0, bar, content);
  painter.end();
  return image.save(path, "PNG") ? path : QString();
}

}  // namespace kem::test
