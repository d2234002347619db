// kemwin: the desktop IDE. Opens the file named on the command line, if any.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <cstdio>
#include <string>
#include <vector>

#include "common/interrupt_cleanup.h"
#include "gui/command_line.h"
#include "gui/main_window.h"
#include "gui/translation.h"

namespace {

constexpr int kExitWrongCommandLine = 2;

std::vector<std::string> ArgumentsAfterProgramName(const QStringList& arguments) {
  std::vector<std::string> list;
  for (qsizetype i = 1; i < arguments.size(); ++i)
    list.push_back(QFile::encodeName(arguments.at(i)).toStdString());
  return list;
}

}  // namespace

int main(int argc, char** argv) {
  using kem::gui::CommandLine;
  // Help and version need no display: answered before Qt looks for one.
  const CommandLine early =
      kem::gui::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (early.action == CommandLine::Action::kHelp) {
    std::fputs(kem::gui::kKemwinUsage, stdout);
    return 0;
  }
  if (early.action == CommandLine::Action::kVersion) {
    std::fputs(kem::gui::kKemwinVersion, stdout);
    return 0;
  }
  // Ctrl+C in the terminal or a logout during a compilation leaves no temporary file behind.
  kem::InstallInterruptCleanup();
  QApplication app(argc, argv);
  // Qt has taken its own options (-platform, -style, ...) out of the arguments by now.
  const CommandLine line =
      kem::gui::ParseCommandLine(ArgumentsAfterProgramName(QApplication::arguments()));
  if (line.action == CommandLine::Action::kWrong) {
    std::fprintf(stderr, "kemwin: %s\n%s", line.error.c_str(), kem::gui::kKemwinUsage);
    return kExitWrongCommandLine;
  }
  // Lets the desktop match the window to the installed kemwin.desktop and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("kemwin"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kemwin")));
  kem::gui::InstallQtGermanTranslation(app);

  kem::gui::MainWindow window(QDir::currentPath());
  QObject::connect(&window, &kem::gui::MainWindow::programEnded, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  window.show();
  if (!line.file.empty()) window.OpenFile(QFile::decodeName(QByteArray::fromStdString(line.file)));
  return QApplication::exec();
}
