// kemwin: the desktop IDE. Opens the file named on the command line, if any.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/interrupt_cleanup.h"
#include "gui/command_line.h"
#include "gui/main_window.h"
#include "gui/translation.h"

namespace {

constexpr int kExitNoDisplay = 1;
constexpr int kExitWrongCommandLine = 2;

const char* Variable(const char* name) {
  return std::getenv(name);
}

}  // namespace

int main(int argc, char** argv) {
  using kem::gui::CommandLine;
  // Everything about the command line is answered before Qt looks for a display, which it would
  // end the program without.
  const CommandLine line =
      kem::gui::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (line.action) {
    case CommandLine::Action::kHelp:
      std::fputs(kem::gui::kKemwinUsage, stdout);
      return 0;
    case CommandLine::Action::kVersion:
      std::fputs(kem::gui::kKemwinVersion, stdout);
      return 0;
    case CommandLine::Action::kWrong:
      std::fprintf(stderr, "kemwin: %s\n%s", line.error.c_str(), kem::gui::kKemwinUsage);
      return kExitWrongCommandLine;
    case CommandLine::Action::kUnusableFile:
      std::fprintf(stderr, "kemwin: %s\n", line.error.c_str());
      return kExitWrongCommandLine;
    case CommandLine::Action::kRun:
      break;
  }
  if (kem::gui::DisplayMissing(line, Variable)) {
    std::fputs(kem::gui::kKemwinNoDisplay, stderr);
    return kExitNoDisplay;
  }
  // Ctrl+C in the terminal or a logout during a compilation leaves no temporary file behind.
  kem::InstallInterruptCleanup();
  QApplication app(argc, argv);
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
