// kemwin: the desktop IDE. Opens the file named on the command line, if any.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "common/interrupt_cleanup.h"
#include "gui/main_window.h"

int main(int argc, char** argv) {
  // Ctrl+C in the terminal or a logout during a compilation leaves no temporary file behind.
  kem::InstallInterruptCleanup();
  QApplication app(argc, argv);
  // Lets the desktop match the window to the installed kemwin.desktop and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("kemwin"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kemwin")));
  // Qt's own dialogs speak German when Qt's translation is installed.
  QTranslator qt_german;
  if (qt_german.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qt_german);

  kem::gui::MainWindow window(QDir::currentPath());
  QObject::connect(&window, &kem::gui::MainWindow::programEnded, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  window.show();
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) window.OpenFile(arguments.at(1));
  return QApplication::exec();
}
